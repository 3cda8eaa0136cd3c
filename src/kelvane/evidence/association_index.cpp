// Ia and rbarD from tables of counts. For a locus genotype of S copies, phi holds a 1 for every
// (value, t) with t at most the copies of that value (missing copies being the value 0), so
// phi(a).phi(b) counts the shared copies; with typed(a) = 1 for an individual with a typed copy
// at the locus (and phi(a) = 0 otherwise), d(a, b) = S typed(a) typed(b) - phi(a).phi(b). Over
// ordered pairs (the pairs (a, a) add nothing, since d(a, a) = 0):
//   sum d_l = S m^2 - |u|^2, m the individuals typed at l and u = sum_a phi_l(a);
//   sum d_j d_k = S^2 m_jk^2 - S |v_jk|^2 - S |v_kj|^2 + sum_st M_st^2,
// with m_jk the individuals typed at both loci, v_jk = sum_a typed_j(a) phi_k(a), and the table
// M = sum_a phi_j(a) phi_k(a)^T. A permutation changes only the sums over pairs of loci.
#include "kelvane/evidence/association_index.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <iterator>
#include <limits>
#include <map>
#include <optional>
#include <utility>

#include "common/core/worker_pool.hpp"
#include "kelvane/evidence/random_streams.hpp"

namespace kelvane {
namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// Permutations drawn and counted together between two progress reports.
constexpr int64_t kPermutationsPerRound = 256;

// The components of phi at one locus for the individuals of the sample, S component numbers per
// individual; an individual without a typed copy has S entries of a sink component (number
// `components`), which no sum reads.
struct LocusComponents {
    int32_t components = 0;
    std::vector<int32_t> of;      // individual by individual, S entries each
    std::vector<uint8_t> typed;   // per individual
    std::vector<int> untyped;     // the individuals without a typed copy, ascending
    std::vector<int64_t> totals;  // u, per component
    int64_t typed_count = 0;      // m
    int64_t total_squares = 0;    // |u|^2
};

void add_totals(LocusComponents& locus, std::size_t slots) {
    locus.totals.assign(static_cast<std::size_t>(locus.components), 0);
    for (std::size_t a = 0; a < locus.typed.size(); ++a) {
        if (locus.typed[a] == 0) {
            locus.untyped.push_back(static_cast<int>(a));
            continue;
        }
        ++locus.typed_count;
        for (std::size_t e = 0; e < slots; ++e) {
            ++locus.totals[static_cast<std::size_t>(locus.of[a * slots + e])];
        }
    }
    for (const int64_t total : locus.totals) {
        locus.total_squares += total * total;
    }
}

LocusComponents locus_components(const MarkerData& data, std::span<const int> sample, int locus) {
    const auto slots = static_cast<std::size_t>(data.slots());
    LocusComponents result;
    std::map<std::pair<int32_t, int>, int32_t> number_of;
    std::vector<int32_t> copies(slots);
    for (const int i : sample) {
        const auto genotype = data.locus_genotype(i, locus);
        std::copy(genotype.begin(), genotype.end(), copies.begin());
        std::sort(copies.begin(), copies.end());
        const bool typed = copies.back() != 0;
        result.typed.push_back(typed ? 1 : 0);
        int copy_number = 0;
        for (std::size_t c = 0; c < slots; ++c) {
            // The copy is the copy_number-th of its value.
            copy_number = c > 0 && copies[c - 1] == copies[c] ? copy_number + 1 : 1;
            if (!typed) {
                result.of.push_back(-1);
                continue;
            }
            const auto [entry, is_new] =
                number_of.try_emplace(std::make_pair(copies[c], copy_number), result.components);
            result.components += is_new ? 1 : 0;
            result.of.push_back(entry->second);
        }
    }
    for (int32_t& entry : result.of) {
        entry = entry < 0 ? result.components : entry;
    }
    add_totals(result, slots);
    return result;
}

// The sum of the squares of the table M of two loci, from the individuals typed at both. Adding
// 1 to a cell holding m adds 2m + 1 to the sum of squares, so the sum grows as the table is
// filled and no cell is read twice; the cells used are then cleared, one by one or all at once,
// whichever touches fewer.
class PairTable {
  public:
    int64_t squares(const LocusComponents& first, const LocusComponents& second,
                    std::size_t slots) {
        const auto columns = static_cast<std::size_t>(second.components);
        const std::size_t cells = static_cast<std::size_t>(first.components) * columns;
        const std::size_t individuals = first.typed.size();
        cells_.resize(std::max(cells_.size(), cells));
        int64_t sum = 0;
        visit(first, second, slots, [&](int32_t& cell) { sum += 2 * int64_t{cell++} + 1; });
        if (cells <= individuals * slots * slots) {
            std::fill_n(cells_.begin(), cells, 0);
        } else {
            visit(first, second, slots, [](int32_t& cell) { cell = 0; });
        }
        return sum;
    }

  private:
    // Calls use(cell) for every pair of components of every individual typed at both loci.
    template <class Use>
    void visit(const LocusComponents& first, const LocusComponents& second, std::size_t slots,
               Use use) {
        const auto columns = static_cast<std::size_t>(second.components);
        for (std::size_t a = 0; a < first.typed.size(); ++a) {
            if (first.typed[a] == 0 || second.typed[a] == 0) {
                continue;
            }
            const int32_t* row_of = first.of.data() + a * slots;
            const int32_t* column_of = second.of.data() + a * slots;
            for (std::size_t e = 0; e < slots; ++e) {
                int32_t* row = cells_.data() + static_cast<std::size_t>(row_of[e]) * columns;
                for (std::size_t f = 0; f < slots; ++f) {
                    use(row[column_of[f]]);
                }
            }
        }
    }

    std::vector<int32_t> cells_;
};

// |v_jk|^2 with v_jk = sum_a typed_j(a) phi_k(a): the totals of k less the individuals untyped
// at j.
int64_t typed_squares(const LocusComponents& j, const LocusComponents& k, std::size_t slots,
                      std::vector<int64_t>& scratch) {
    if (j.untyped.empty()) {
        return k.total_squares;
    }
    scratch.assign(k.totals.begin(), k.totals.end());
    scratch.push_back(0);  // the sink
    for (const int a : j.untyped) {
        for (std::size_t f = 0; f < slots; ++f) {
            --scratch[static_cast<std::size_t>(k.of[static_cast<std::size_t>(a) * slots + f])];
        }
    }
    int64_t sum = 0;
    for (std::size_t t = 0; t + 1 < scratch.size(); ++t) {
        sum += scratch[t] * scratch[t];
    }
    return sum;
}

// The sum over unordered pairs of individuals of d_j d_k (j = k: of d_j^2).
int64_t pair_products(const LocusComponents& j, const LocusComponents& k, std::size_t slots,
                      PairTable& table, std::vector<int64_t>& scratch) {
    int64_t both = k.typed_count;
    for (const int a : j.untyped) {
        both -= k.typed[static_cast<std::size_t>(a)];
    }
    const auto s = static_cast<int64_t>(slots);
    const int64_t ordered = s * s * both * both - s * typed_squares(j, k, slots, scratch) -
                            s * typed_squares(k, j, slots, scratch) + table.squares(j, k, slots);
    return ordered / 2;
}

// The sum over unordered pairs of individuals of sum_{j<k} d_j d_k.
int64_t cross_products(const std::vector<LocusComponents>& loci, std::size_t slots,
                       PairTable& table, std::vector<int64_t>& scratch) {
    int64_t sum = 0;
    for (std::size_t j = 0; j < loci.size(); ++j) {
        for (std::size_t k = j + 1; k < loci.size(); ++k) {
            sum += pair_products(loci[j], loci[k], slots, table, scratch);
        }
    }
    return sum;
}

// The loci with their genotypes moved among the individuals by a fresh permutation per locus.
void permute(const std::vector<LocusComponents>& loci, std::vector<LocusComponents>& permuted,
             std::size_t slots, clonal::Random& random, std::vector<int32_t>& order) {
    for (std::size_t l = 0; l < loci.size(); ++l) {
        const LocusComponents& from = loci[l];
        LocusComponents& to = permuted[l];
        const std::size_t individuals = from.typed.size();
        order.resize(individuals);
        for (std::size_t a = 0; a < individuals; ++a) {
            order[a] = static_cast<int32_t>(a);
        }
        clonal::shuffle(random, order);
        to.untyped.clear();
        for (std::size_t a = 0; a < individuals; ++a) {
            const auto source = static_cast<std::size_t>(order[a]);
            std::copy_n(from.of.begin() + static_cast<std::ptrdiff_t>(source * slots), slots,
                        to.of.begin() + static_cast<std::ptrdiff_t>(a * slots));
            to.typed[a] = from.typed[source];
            if (to.typed[a] == 0) {
                to.untyped.push_back(static_cast<int>(a));
            }
        }
    }
}

// The cross products from the pairs of individuals instead of the pairs of loci, for samples of
// few individuals typed at many loci (SNP data): with D the sum of d_l over the loci,
//   sum over pairs of sum_{j<k} d_j d_k = (sum over pairs of D^2 - sum over pairs of sum_l d_l^2) /
//   2,
// in the same exact integers. Each locus becomes a number per distinct locus genotype and a table
// of d between them, so that the work is pairs x loci instead of loci^2 x individuals.
class PairSums {
  public:
    PairSums(const std::vector<LocusComponents>& loci, std::size_t slots, int64_t squares)
        : squares_(squares), individuals_(loci.empty() ? 0 : loci.front().typed.size()) {
        const auto s = static_cast<int32_t>(slots);
        for (const LocusComponents& locus : loci) {
            Locus coded;
            std::map<std::vector<int32_t>, int32_t> number_of;
            std::vector<std::vector<int32_t>> genotypes;
            for (std::size_t a = 0; a < individuals_; ++a) {
                std::vector<int32_t> copies;
                if (locus.typed[a] != 0) {
                    copies.assign(locus.of.begin() + static_cast<std::ptrdiff_t>(a * slots),
                                  locus.of.begin() + static_cast<std::ptrdiff_t>((a + 1) * slots));
                    std::sort(copies.begin(), copies.end());
                }
                const auto [entry, fresh] =
                    number_of.try_emplace(copies, static_cast<int32_t>(genotypes.size()));
                if (fresh) {
                    genotypes.push_back(copies);
                }
                coded.id.push_back(entry->second);
            }
            coded.kinds = static_cast<int32_t>(genotypes.size());
            coded.d.resize(static_cast<std::size_t>(coded.kinds) *
                           static_cast<std::size_t>(coded.kinds));
            for (std::size_t x = 0; x < genotypes.size(); ++x) {
                for (std::size_t y = 0; y < genotypes.size(); ++y) {
                    const auto& first = genotypes[x];
                    const auto& second = genotypes[y];
                    int32_t value = 0;
                    if (!first.empty() && !second.empty()) {
                        std::vector<int32_t> shared;
                        std::set_intersection(first.begin(), first.end(), second.begin(),
                                              second.end(), std::back_inserter(shared));
                        value = s - static_cast<int32_t>(shared.size());
                    }
                    coded.d[x * genotypes.size() + y] = value;
                }
            }
            loci_.push_back(std::move(coded));
        }
        zeros_.assign(individuals_ + 1, 0);
    }

    // The cross products with each locus's genotypes in the order given (identity: none).
    // D of a pair is at most slots x loci, which the constructor checked to fit 32 bits.
    int64_t cross(clonal::Random* random, std::vector<int32_t>& ids,
                  std::vector<int32_t>& sums) const {
        const std::size_t n = individuals_;
        sums.assign(n * (n - 1) / 2, 0);
        ids.resize(kBlock * n);
        // Loci go in blocks, so that each sum of a pair is read and written once per block.
        for (std::size_t first = 0; first < loci_.size(); first += kBlock) {
            const std::size_t block = std::min(kBlock, loci_.size() - first);
            std::array<const int32_t*, kBlock> rows_of{};
            std::array<const int32_t*, kBlock> ids_of{};
            std::array<std::size_t, kBlock> kinds{};
            for (std::size_t l = 0; l < kBlock; ++l) {
                // A block shorter than kBlock repeats a locus whose table row is read but not
                // added (weight 0).
                const Locus& locus = loci_[first + std::min(l, block - 1)];
                int32_t* locus_ids = ids.data() + l * n;
                std::copy(locus.id.begin(), locus.id.end(), locus_ids);
                if (random != nullptr && l < block) {
                    // The swaps of a shuffle of the individuals, drawn as the table method draws
                    // them, applied to the locus genotypes themselves.
                    clonal::shuffle(*random, std::span<int32_t>(locus_ids, n));
                }
                rows_of[l] = l < block ? locus.d.data() : zeros_.data();
                kinds[l] = l < block ? static_cast<std::size_t>(locus.kinds) : 0;
                ids_of[l] = locus_ids;
            }
            int32_t* sum = sums.data();
            for (std::size_t a = 1; a < n; ++a) {
                const int32_t* r0 = rows_of[0] + static_cast<std::size_t>(ids_of[0][a]) * kinds[0];
                const int32_t* r1 = rows_of[1] + static_cast<std::size_t>(ids_of[1][a]) * kinds[1];
                const int32_t* r2 = rows_of[2] + static_cast<std::size_t>(ids_of[2][a]) * kinds[2];
                const int32_t* r3 = rows_of[3] + static_cast<std::size_t>(ids_of[3][a]) * kinds[3];
                for (std::size_t b = 0; b < a; ++b) {
                    sum[b] +=
                        r0[ids_of[0][b]] + r1[ids_of[1][b]] + r2[ids_of[2][b]] + r3[ids_of[3][b]];
                }
                sum += a;
            }
        }
        int64_t total = 0;
        for (const int32_t d : sums) {
            total += int64_t{d} * d;
        }
        return (total - squares_) / 2;
    }

  private:
    struct Locus {
        std::vector<int32_t> id;  // per individual
        int32_t kinds = 0;
        std::vector<int32_t> d;  // kinds x kinds
    };
    static constexpr std::size_t kBlock = 4;

    int64_t squares_;
    std::size_t individuals_;
    std::vector<Locus> loci_;
    // A table of zeros as wide as the widest locus genotype numbers, for blocks' unused places.
    std::vector<int32_t> zeros_;
};

// Whether the pairs of individuals cost less than the pairs of loci (and their sums fit 32 bits).
bool pairs_cheaper(std::size_t individuals, std::size_t loci, std::size_t slots) {
    const double n = static_cast<double>(individuals);
    const double l = static_cast<double>(loci);
    const double s = static_cast<double>(slots);
    return l * s <= 2147483647.0 && n * (n - 1.0) / 2.0 * l < l * (l - 1.0) / 2.0 * n * s * s;
}

}  // namespace

AssociationTest association_test(const MarkerData& data, std::span<const int> sample,
                                 int64_t permutations, clonal::Random& random, int threads,
                                 const clonal::ProgressReport& progress,
                                 CrossProductMethod method) {
    AssociationTest test;
    const auto n = static_cast<int64_t>(sample.size());
    test.individuals = n;
    test.permutations = permutations;
    test.ia = test.rbard = test.p_ia = test.p_rbard = kNotANumber;
    if (n < 3) {
        return test;
    }
    const auto slots = static_cast<std::size_t>(data.slots());
    std::vector<LocusComponents> loci;
    for (int locus = 0; locus < data.n_loci; ++locus) {
        loci.push_back(locus_components(data, sample, locus));
    }
    // Per locus, the sums over unordered pairs of d and d^2, and the variance of d over them.
    const double pairs = static_cast<double>(n * (n - 1) / 2);
    PairTable table;
    std::vector<int64_t> scratch;
    int64_t sum_d = 0;
    int64_t sum_squares = 0;
    std::vector<double> variance;
    const auto s = static_cast<int64_t>(slots);
    for (const LocusComponents& locus : loci) {
        const int64_t sum = (s * locus.typed_count * locus.typed_count - locus.total_squares) / 2;
        const int64_t squares = pair_products(locus, locus, slots, table, scratch);
        sum_d += sum;
        sum_squares += squares;
        const auto sum_real = static_cast<double>(sum);
        variance.push_back((pairs * static_cast<double>(squares) - sum_real * sum_real) /
                           (pairs * pairs));
    }
    std::optional<PairSums> pair_sums;
    std::vector<int32_t> order;
    std::vector<int32_t> ids;
    std::vector<int32_t> pair_scratch;
    const bool by_individuals = method == CrossProductMethod::kPairsOfIndividuals ||
                                (method == CrossProductMethod::kCheaper &&
                                 pairs_cheaper(sample.size(), loci.size(), slots));
    if (by_individuals) {
        pair_sums.emplace(loci, slots, sum_squares);
    }
    const int64_t observed_cross = pair_sums ? pair_sums->cross(nullptr, ids, pair_scratch)
                                             : cross_products(loci, slots, table, scratch);
    // Var(D) from the sums over pairs of D and D^2. Only the cross products change under
    // permutation, and Ia and rbarD both grow with them: both tests count the same event.
    const auto sum_real = static_cast<double>(sum_d);
    const double observed =
        (pairs * static_cast<double>(sum_squares + 2 * observed_cross) - sum_real * sum_real) /
        (pairs * pairs);
    double expected = 0.0;
    double root_products = 0.0;
    for (std::size_t j = 0; j < variance.size(); ++j) {
        expected += variance[j];
        for (std::size_t k = j + 1; k < variance.size(); ++k) {
            root_products += std::sqrt(variance[j] * variance[k]);
        }
    }
    if (expected > 0.0) {
        test.ia = observed / expected - 1.0;
    }
    if (root_products > 0.0) {
        test.rbard = (observed - expected) / (2.0 * root_products);
    }
    if (permutations == 0 || std::isnan(test.ia)) {
        return test;
    }
    std::vector<clonal::Random> streams = random_streams(random, permutations);
    std::atomic<int64_t> at_least{0};
    const int workers = clonal::worker_count(threads);
    for (int64_t done = 0; done < permutations;) {
        const int64_t round_end = std::min(permutations, done + kPermutationsPerRound);
        std::atomic<int64_t> next{done};
        clonal::run_workers(workers, [&](int) {
            std::vector<LocusComponents> permuted =
                pair_sums ? std::vector<LocusComponents>{} : loci;
            PairTable own_table;
            std::vector<int64_t> own_scratch;
            std::vector<int32_t> own_order;
            std::vector<int32_t> own_ids;
            std::vector<int32_t> own_pairs;
            int64_t count = 0;
            for (int64_t p = next++; p < round_end; p = next++) {
                clonal::Random& stream = streams[static_cast<std::size_t>(p)];
                int64_t cross = 0;
                if (pair_sums) {
                    cross = pair_sums->cross(&stream, own_ids, own_pairs);
                } else {
                    permute(loci, permuted, slots, stream, own_order);
                    cross = cross_products(permuted, slots, own_table, own_scratch);
                }
                count += cross >= observed_cross ? 1 : 0;
            }
            at_least += count;
        });
        done = round_end;
        if (progress) {
            progress(static_cast<uint64_t>(done), static_cast<uint64_t>(permutations));
        }
    }
    const double p =
        static_cast<double>(at_least.load() + 1) / static_cast<double>(permutations + 1);
    test.p_ia = p;
    test.p_rbard = std::isnan(test.rbard) ? kNotANumber : p;
    return test;
}

}  // namespace kelvane
