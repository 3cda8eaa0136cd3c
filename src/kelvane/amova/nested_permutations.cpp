// The permutation tests of the nested AMOVA. A permutation of level l moves whole groups of level
// l + 1 (blocks) among the groups of level l inside one group of level l - 1, so only the sums
// within level l change: they are computed from the sums between blocks, found once, except at
// the lowest level, whose blocks are the units and whose sums come from the pairs of each group
// of the level above. The free permutation of the within test changes every group of the lowest
// level and reads every pair, several permutations per pass over the pairs.
#include "kelvane/amova/nested_permutations.hpp"

#include <algorithm>
#include <functional>
#include <type_traits>

#include "common/core/worker_pool.hpp"

namespace kelvane {
namespace {

constexpr int64_t kPermutationsPerRound = 128;

// A run of blocks that are permuted among themselves: the blocks of one group of the level above.
struct Run {
    int32_t begin = 0;
    int32_t end = 0;
};

// The sum over the groups of their pair sum over their size, in the same bits whatever their
// numbering: a permutation that only renames the groups ties with the observed design.
double within_of(std::span<const double> sums, std::span<const int32_t> sizes) {
    std::vector<double> terms;
    terms.reserve(sums.size());
    for (std::size_t g = 0; g < sums.size(); ++g) {
        terms.push_back(sums[g] / static_cast<double>(sizes[g]));
    }
    return ascending_sum(terms);
}

// The test of one level: its blocks, their runs and current groups, and how an assignment of the
// blocks to groups gives the level's variance component.
template <class Pairs>
class LevelTest {
  public:
    LevelTest(const Pairs& pairs, const NestedDesign& design, const NestedObserved& observed,
              int level)
        : pairs_(pairs), observed_(observed), level_(level), shape_(nested_shape(design)) {
        const NestedLevel& groups = design.levels[static_cast<std::size_t>(level)];
        units_are_blocks_ = level + 1 == design.depth();
        const int32_t run_count =
            level == 0 ? 1
                       : static_cast<int32_t>(
                             design.levels[static_cast<std::size_t>(level - 1)].sizes.size());
        runs_.assign(static_cast<std::size_t>(run_count), Run{});
        if (units_are_blocks_) {
            labels_ = groups.group_of;
            block_sizes_.assign(labels_.size(), 1);
            for (std::size_t place = 0; place < labels_.size(); ++place) {
                mark_run(parent_of(groups, labels_[place]), static_cast<int32_t>(place));
            }
        } else {
            const NestedLevel& blocks = design.levels[static_cast<std::size_t>(level + 1)];
            labels_ = blocks.parent;
            block_sizes_ = blocks.sizes;
            for (std::size_t b = 0; b < labels_.size(); ++b) {
                mark_run(parent_of(groups, labels_[b]), static_cast<int32_t>(b));
            }
            block_pairs(design);
        }
    }

    std::vector<int32_t>& labels() { return labels_; }
    const std::vector<Run>& runs() const { return runs_; }

    // The level's variance component when the blocks are in the groups labels gives.
    double sigma2(std::span<const int32_t> labels) const {
        const std::size_t groups = shape_.sizes[static_cast<std::size_t>(level_)].size();
        std::vector<double> sums(groups, 0.0);
        NestedShape shape = shape_;
        if (units_are_blocks_) {
            unit_sums(labels, sums);
        } else {
            std::vector<int32_t>& sizes = shape.sizes[static_cast<std::size_t>(level_)];
            std::fill(sizes.begin(), sizes.end(), 0);
            const std::vector<double>& block_sums =
                observed_.sums[static_cast<std::size_t>(level_ + 1)];
            for (std::size_t b = 0; b < labels.size(); ++b) {
                sizes[static_cast<std::size_t>(labels[b])] += block_sizes_[b];
                sums[static_cast<std::size_t>(labels[b])] += block_sums[b];
            }
            std::size_t cell = 0;
            for (const Run& run : runs_) {
                for (int32_t b = run.begin; b < run.end; ++b) {
                    for (int32_t c = run.begin; c < b; ++c, ++cell) {
                        if (labels[static_cast<std::size_t>(b)] ==
                            labels[static_cast<std::size_t>(c)]) {
                            sums[static_cast<std::size_t>(labels[static_cast<std::size_t>(b)])] +=
                                between_[cell];
                        }
                    }
                }
            }
            shape.parents[static_cast<std::size_t>(level_ + 1)].assign(labels.begin(),
                                                                       labels.end());
        }
        std::vector<double> within = observed_.within;
        within[static_cast<std::size_t>(level_ + 1)] =
            within_of(sums, shape.sizes[static_cast<std::size_t>(level_)]);
        return nested_sigma2(within, shape)[static_cast<std::size_t>(level_)];
    }

  private:
    static int32_t parent_of(const NestedLevel& groups, int32_t group) {
        return groups.parent[static_cast<std::size_t>(group)];
    }

    void mark_run(int32_t run, int32_t block) {
        Run& marked = runs_[static_cast<std::size_t>(run)];
        if (marked.end == marked.begin) {
            marked.begin = block;
        }
        marked.end = block + 1;
    }

    // The sums of the distances between the units of every two blocks of a run, lower triangle
    // run after run.
    void block_pairs(const NestedDesign& design) {
        const NestedLevel& blocks = design.levels[static_cast<std::size_t>(level_ + 1)];
        for (const Run& run : runs_) {
            const std::size_t start = between_.size();
            const auto count = static_cast<std::size_t>(run.end - run.begin);
            between_.resize(start + count * (count - 1) / 2, 0.0);
            for (int32_t b = run.begin + 1; b < run.end; ++b) {
                const std::size_t row = start + static_cast<std::size_t>(b - run.begin) *
                                                    static_cast<std::size_t>(b - run.begin - 1) / 2;
                const int32_t first = blocks.first[static_cast<std::size_t>(b)];
                const int32_t last = first + blocks.sizes[static_cast<std::size_t>(b)];
                const int32_t run_first = blocks.first[static_cast<std::size_t>(run.begin)];
                for (int32_t a = first; a < last; ++a) {
                    const auto distances = pairs_.row(a);
                    int32_t c = run.begin;
                    for (int32_t u = run_first; u < first; ++u) {
                        while (u >= blocks.first[static_cast<std::size_t>(c)] +
                                        blocks.sizes[static_cast<std::size_t>(c)]) {
                            ++c;
                        }
                        between_[row + static_cast<std::size_t>(c - run.begin)] +=
                            distances[static_cast<std::size_t>(u)];
                    }
                }
            }
        }
    }

    // The pair sum of every group of the lowest level when the units are in the groups labels
    // gives: only pairs inside one run can share a group.
    void unit_sums(std::span<const int32_t> labels, std::vector<double>& sums) const {
        for (const Run& run : runs_) {
            const auto begin = static_cast<std::size_t>(run.begin);
            for (int32_t a = run.begin + 1; a < run.end; ++a) {
                const auto row =
                    pairs_.row(a).subspan(begin, static_cast<std::size_t>(a - run.begin));
                const int32_t group = labels[static_cast<std::size_t>(a)];
                if constexpr (std::is_same_v<Pairs, SamplePairs>) {
                    if (pairs_.exact()) {
                        sums[static_cast<std::size_t>(group)] += static_cast<double>(masked_row_sum(
                            row, labels.data() + begin, group, pairs_.block_length()));
                        continue;
                    }
                }
                long double part = 0.0L;
                for (std::size_t b = 0; b < row.size(); ++b) {
                    if (labels[begin + b] == group) {
                        part += row[b];
                    }
                }
                sums[static_cast<std::size_t>(group)] += static_cast<double>(part);
            }
        }
    }

    const Pairs& pairs_;
    const NestedObserved& observed_;
    int level_;
    NestedShape shape_;
    bool units_are_blocks_ = false;
    std::vector<int32_t> labels_;       // the group of each block
    std::vector<int32_t> block_sizes_;  // the units of each block
    std::vector<Run> runs_;             // per group of the level above
    std::vector<double> between_;       // block pair sums within runs
};

// Evaluates value(assignment) for every assignment on up to threads workers, results in order.
std::vector<double> evaluate_all(const std::vector<std::vector<int32_t>>& assignments,
                                 const std::function<double(std::span<const int32_t>)>& value,
                                 int threads) {
    std::vector<double> results(assignments.size(), 0.0);
    clonal::for_each_index(assignments.size(), threads,
                           [&](std::size_t q) { results[q] = value(assignments[q]); });
    return results;
}

// Draws permutations rounds of assignments, shuffle changing the state each time, and counts
// each one's value against the observed one.
void count_permutations(
    int64_t permutations, std::vector<int32_t>& state,
    const std::function<void(std::vector<int32_t>&)>& shuffle,
    const std::function<std::vector<double>(const std::vector<std::vector<int32_t>>&)>& values,
    double observed, clonal::PermutationCounts& counts,
    const std::function<void(int64_t)>& advanced) {
    for (int64_t done = 0; done < permutations;) {
        const int64_t round = std::min(kPermutationsPerRound, permutations - done);
        std::vector<std::vector<int32_t>> drawn(static_cast<std::size_t>(round));
        for (std::vector<int32_t>& assignment : drawn) {
            shuffle(state);
            assignment = state;
        }
        for (const double value : values(drawn)) {
            counts.add(value, observed);
        }
        done += round;
        advanced(round);
    }
}

template <class Pairs>
NestedObserved observed_of(const Pairs& pairs, const NestedDesign& design) {
    NestedObserved observed;
    observed.within.push_back(pairs.total() / static_cast<double>(pairs.size()));
    for (const NestedLevel& level : design.levels) {
        observed.sums.push_back(
            within_sums(pairs, level.group_of, static_cast<int32_t>(level.sizes.size())));
        observed.within.push_back(within_of(observed.sums.back(), level.sizes));
    }
    observed.table = nested_table(observed.within, nested_shape(design));
    return observed;
}

template <class Pairs>
NestedPermutationTest test_of(const Pairs& pairs, const NestedDesign& design,
                              const NestedObserved& observed, int64_t permutations,
                              clonal::Random& random, int threads,
                              const clonal::ProgressReport& progress) {
    const int depth = design.depth();
    NestedPermutationTest test;
    test.permutations = permutations;
    test.counts.resize(static_cast<std::size_t>(depth + 1));
    const auto total = static_cast<uint64_t>(permutations) * static_cast<uint64_t>(depth + 1);
    uint64_t done = 0;
    const auto advanced = [&](int64_t round) {
        done += static_cast<uint64_t>(round);
        if (progress) {
            progress(done, total);
        }
    };
    for (int level = 0; level < depth; ++level) {
        LevelTest<Pairs> level_test(pairs, design, observed, level);
        const double value = level_test.sigma2(level_test.labels());
        const std::vector<Run> runs = level_test.runs();
        count_permutations(
            permutations, level_test.labels(),
            [&](std::vector<int32_t>& labels) {
                for (const Run& run : runs) {
                    clonal::shuffle(random, std::span<int32_t>(labels).subspan(
                                                static_cast<std::size_t>(run.begin),
                                                static_cast<std::size_t>(run.end - run.begin)));
                }
            },
            [&](const std::vector<std::vector<int32_t>>& drawn) {
                return evaluate_all(
                    drawn,
                    [&](std::span<const int32_t> labels) { return level_test.sigma2(labels); },
                    threads);
            },
            value, test.counts[static_cast<std::size_t>(level)], advanced);
    }
    // Within the lowest groups: their sizes stay, so only the sum of squares within them varies.
    const NestedLevel& lowest = design.levels.back();
    const NestedShape shape = nested_shape(design);
    const auto within_sigma2 = [&](const std::vector<double>& sums) {
        std::vector<double> within = observed.within;
        within.back() = within_of(sums, lowest.sizes);
        return nested_sigma2(within, shape).back();
    };
    std::vector<int32_t> labels = lowest.group_of;
    const auto groups = static_cast<int32_t>(lowest.sizes.size());
    count_permutations(
        permutations, labels, [&](std::vector<int32_t>& state) { clonal::shuffle(random, state); },
        [&](const std::vector<std::vector<int32_t>>& drawn) {
            std::vector<double> values;
            for (const auto& sums : permuted_within_sums(pairs, drawn, groups, threads)) {
                values.push_back(within_sigma2(sums));
            }
            return values;
        },
        within_sigma2(observed.sums.back()), test.counts.back(), advanced);
    return test;
}

}  // namespace

NestedObserved observed_nested_amova(const SamplePairs& pairs, const NestedDesign& design) {
    return observed_of(pairs, design);
}

NestedObserved observed_nested_amova(const RealPairs& pairs, const NestedDesign& design) {
    return observed_of(pairs, design);
}

NestedPermutationTest nested_permutation_test(const SamplePairs& pairs, const NestedDesign& design,
                                              const NestedObserved& observed, int64_t permutations,
                                              clonal::Random& random, int threads,
                                              const clonal::ProgressReport& progress) {
    return test_of(pairs, design, observed, permutations, random, threads, progress);
}

NestedPermutationTest nested_permutation_test(const RealPairs& pairs, const NestedDesign& design,
                                              const NestedObserved& observed, int64_t permutations,
                                              clonal::Random& random, int threads,
                                              const clonal::ProgressReport& progress) {
    return test_of(pairs, design, observed, permutations, random, threads, progress);
}

}  // namespace kelvane
