// Simulated populations under random mating and their pooled Psex values.
#include "kelvane/evidence/psex/psex_simulation.hpp"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>

#include "common/core/worker_pool.hpp"
#include "kelvane/evidence/random_streams.hpp"

namespace kelvane {
namespace {

// log C(n, k), by the product of k ratios for small k, where it is most accurate.
double log_choose(int64_t n, int64_t k) {
    k = std::min(k, n - k);
    if (k > 500) {
        return std::lgamma(static_cast<double>(n) + 1.0) -
               std::lgamma(static_cast<double>(k) + 1.0) -
               std::lgamma(static_cast<double>(n - k) + 1.0);
    }
    double sum = 0.0;
    for (int64_t i = 1; i <= k; ++i) {
        sum += std::log(static_cast<double>(n - k + i) / static_cast<double>(i));
    }
    return sum;
}

// The binomial probability of k successes in n trials of probability p.
double binomial_probability(int64_t k, int64_t n, double p) {
    if (p <= 0.0) {
        return k == 0 ? 1.0 : 0.0;
    }
    if (p >= 1.0) {
        return k == n ? 1.0 : 0.0;
    }
    const double log_failures = static_cast<double>(n - k) * std::log1p(-p);
    const double log_successes = static_cast<double>(k) * std::log(p);
    return std::exp(log_choose(n, k) + log_successes + log_failures);
}

// Walker's alias tables of every locus, for drawing a copy with one uniform in constant time:
// the uniform picks a column and, by its remaining fraction, the column's allele or its alias.
// The frequencies are scaled to sum to 1 (the rare-allele fill can make them sum to more).
class CopyDraw {
  public:
    explicit CopyDraw(const FrequencySet& frequencies) {
        for (const LocusFrequencies& locus : frequencies.loci) {
            tables_.push_back(alias_table(locus.frequencies));
        }
    }

    // The index of the allele drawn at a locus that has alleles.
    int draw(clonal::Random& random, std::size_t locus) const {
        const Table& table = tables_[locus];
        const auto columns = static_cast<double>(table.keep.size());
        const double x = random.next_uniform() * columns;
        const auto column = std::min(static_cast<std::size_t>(x), table.keep.size() - 1);
        return x - static_cast<double>(column) < table.keep[column] ? static_cast<int>(column)
                                                                    : table.alias[column];
    }

  private:
    struct Table {
        std::vector<double> keep;  // the share of a column that draws its own allele
        std::vector<int> alias;
    };

    static Table alias_table(const std::vector<double>& frequencies) {
        Table table;
        const std::size_t k = frequencies.size();
        double sum = 0.0;
        for (const double p : frequencies) {
            sum += p;
        }
        table.keep.resize(k);
        table.alias.resize(k);
        std::vector<std::size_t> small;
        std::vector<std::size_t> large;
        for (std::size_t a = 0; a < k; ++a) {
            table.keep[a] = frequencies[a] / sum * static_cast<double>(k);
            table.alias[a] = static_cast<int>(a);
            (table.keep[a] < 1.0 ? small : large).push_back(a);
        }
        while (!small.empty() && !large.empty()) {
            const std::size_t low = small.back();
            small.pop_back();
            const std::size_t high = large.back();
            table.alias[low] = static_cast<int>(high);
            table.keep[high] -= 1.0 - table.keep[low];
            if (table.keep[high] < 1.0) {
                large.pop_back();
                small.push_back(high);
            }
        }
        // What rounding leaves in either list keeps its own allele.
        for (const std::size_t a : small) {
            table.keep[a] = 1.0;
        }
        for (const std::size_t a : large) {
            table.keep[a] = 1.0;
        }
        return table;
    }

    std::vector<Table> tables_;
};

// Sorts the few copies of a locus genotype ascending.
void sort_copies(int32_t* copies, std::size_t count) {
    for (std::size_t i = 1; i < count; ++i) {
        const int32_t value = copies[i];
        std::size_t j = i;
        for (; j > 0 && copies[j - 1] > value; --j) {
            copies[j] = copies[j - 1];
        }
        copies[j] = value;
    }
}

// One simulated population: the Psex values of its repeats, in the order drawn.
std::vector<double> simulate_population(const SimulationModel& model, const CopyDraw& draw,
                                        clonal::Random& random) {
    const int n = model.individuals;
    const auto loci = model.frequencies.loci.size();
    const auto ploidy = static_cast<std::size_t>(model.probability.ploidy());
    const std::size_t width = loci * ploidy;
    // Every individual's copies, locus after locus, each locus's copies ascending; a locus
    // without alleles stays missing (0).
    std::vector<int32_t> copies(static_cast<std::size_t>(n) * width, 0);
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        for (std::size_t locus = 0; locus < loci; ++locus) {
            const LocusFrequencies& at = model.frequencies.loci[locus];
            if (at.alleles.empty()) {
                continue;
            }
            int32_t* genotype = copies.data() + i * width + locus * ploidy;
            for (std::size_t c = 0; c < ploidy; ++c) {
                genotype[c] = at.alleles[static_cast<std::size_t>(draw.draw(random, locus))];
            }
            sort_copies(genotype, ploidy);
        }
    }
    // Encounters of every genotype by hashing the copies; equal hashes are compared in full.
    const std::size_t capacity = std::bit_ceil(2 * static_cast<std::size_t>(n) + 2);
    std::vector<int32_t> first(capacity, -1);
    std::vector<int32_t> encounters(capacity, 0);
    std::vector<int64_t> rank_of(static_cast<std::size_t>(n), 0);
    int64_t distinct = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        const int32_t* genotype = copies.data() + i * width;
        uint64_t hash = 0xcbf29ce484222325ULL;
        for (std::size_t c = 0; c < width; ++c) {
            hash = (hash ^ static_cast<uint32_t>(genotype[c])) * 0x100000001b3ULL;
        }
        std::size_t slot = static_cast<std::size_t>(hash ^ (hash >> 29)) & (capacity - 1);
        for (;; slot = (slot + 1) & (capacity - 1)) {
            if (first[slot] < 0) {
                first[slot] = static_cast<int32_t>(i);
                ++distinct;
                break;
            }
            const int32_t* other = copies.data() + static_cast<std::size_t>(first[slot]) * width;
            if (std::equal(genotype, genotype + width, other)) {
                break;
            }
        }
        rank_of[i] = ++encounters[slot];
    }
    std::vector<double> values;
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        if (rank_of[i] < 2) {
            continue;
        }
        double pgen = 1.0;
        for (std::size_t locus = 0; locus < loci; ++locus) {
            const std::span<const int32_t> genotype(copies.data() + i * width + locus * ploidy,
                                                    ploidy);
            const LocusFrequencies& at = model.frequencies.loci[locus];
            std::optional<double> probability;
            if (model.fis.empty()) {
                probability = model.probability.locus(genotype, at);
            } else if (!std::isnan(model.fis[locus])) {
                probability = GenotypeProbability::diploid_with_fis(genotype, at, model.fis[locus]);
            }
            if (probability) {
                pgen *= *probability;
            }
        }
        values.push_back(psex_value(model.method, pgen, rank_of[i], n, distinct));
    }
    return values;
}

}  // namespace

double psex_value(PsexMethod method, double pgen, int64_t rank, int64_t n, int64_t g) {
    if (method == PsexMethod::kSingle) {
        return pgen >= 1.0 ? 1.0 : -std::expm1(static_cast<double>(g) * std::log1p(-pgen));
    }
    return binomial_probability(rank - 1, n, pgen);
}

std::vector<double> simulated_shares_below(const SimulationModel& model, int64_t simulations,
                                           clonal::Random& random, int threads,
                                           std::span<const double> values, int64_t chunk) {
    // The distinct observed values, ascending; a simulated value v is below those from
    // upper_bound(v) on, so it is counted once there and the counts are summed upwards.
    std::vector<double> limits;
    for (const double value : values) {
        if (!std::isnan(value)) {
            limits.push_back(value);
        }
    }
    std::sort(limits.begin(), limits.end());
    limits.erase(std::unique(limits.begin(), limits.end()), limits.end());
    std::vector<int64_t> first_above(limits.size() + 1, 0);
    int64_t pooled = 0;
    const CopyDraw draw(model.frequencies);
    // The populations are simulated a chunk at a time, their generators drawn in order, so
    // that memory holds one chunk's values whatever the number of simulations.
    std::vector<std::vector<double>> chunk_values;
    for (int64_t start = 0; start < simulations; start += chunk) {
        const int64_t size = std::min(chunk, simulations - start);
        std::vector<clonal::Random> streams = random_streams(random, size);
        chunk_values.assign(static_cast<std::size_t>(size), {});
        std::atomic<int64_t> next{0};
        clonal::run_workers(clonal::worker_count(threads), [&](int) {
            for (int64_t s = next++; s < size; s = next++) {
                chunk_values[static_cast<std::size_t>(s)] =
                    simulate_population(model, draw, streams[static_cast<std::size_t>(s)]);
            }
        });
        for (const std::vector<double>& each : chunk_values) {
            for (const double value : each) {
                ++pooled;
                if (!std::isnan(value)) {
                    ++first_above[static_cast<std::size_t>(
                        std::upper_bound(limits.begin(), limits.end(), value) - limits.begin())];
                }
            }
        }
    }
    for (std::size_t k = 1; k < first_above.size(); ++k) {
        first_above[k] += first_above[k - 1];
    }
    std::vector<double> shares;
    for (const double value : values) {
        if (pooled == 0 || std::isnan(value)) {
            shares.push_back(std::numeric_limits<double>::quiet_NaN());
            continue;
        }
        // The simulated values below this one are those counted at the limits up to it.
        const auto at = static_cast<std::size_t>(
            std::lower_bound(limits.begin(), limits.end(), value) - limits.begin());
        shares.push_back(static_cast<double>(first_above[at]) / static_cast<double>(pooled));
    }
    return shares;
}

}  // namespace kelvane
