// The result of one locus for one pair of individuals, computed once per pair of distinct
// locus genotypes where that saves work. Clonal data repeat locus genotypes a lot: the result
// for two locus genotypes (and the pair's copy count, for the models that use it) is then looked up
// in a table built once for the locus instead of being computed for every pair of individuals
// holding them. Loci with too many distinct locus genotypes for a table to pay are computed pair by
// pair; both ways give the same values, since a locus result depends only on the two locus
// genotypes.
//
// A model supplies:
//   using Value = ...;              the type of a locus result
//   using Workspace = ...;          scratch space of one worker
//   Workspace workspace() const;
//   Value locus_value(Workspace&, int locus, int first, int second, int32_t copy_count) const;
// and may supply, for the results of many pairs at once (the same values as locus_value): those of
// the pairs (first, j < end) of a row that reads copy counts added to sums[j], and those of first
// with each of the individuals seconds[b < end] at one copy count into out[b]:
//   void add_locus_row(Workspace&, int locus, int first, std::size_t end, const int32_t* counts,
//                      Value* sums) const;
//   void locus_values(Workspace&, int locus, int first, const int32_t* seconds, std::size_t end,
//                     int32_t copy_count, Value* out) const;
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "common/core/large_array.hpp"
#include "common/core/worker_pool.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/distance/locus_genotypes.hpp"
#include "kelvane/distance/row_lookup.hpp"

namespace kelvane {

// Tables of all loci together hold at most this many results.
inline constexpr std::size_t kLocusTableBudget = std::size_t{1} << 23;

template <class Model>
class LocusValues {
  public:
    using Value = typename Model::Value;
    using Workspace = typename Model::Workspace;

    // copy_counts: per individual, its largest number of present copies (most_present_copies),
    // for models whose locus result depends on the copy count of the pair; empty otherwise.
    LocusValues(const MarkerData& data, const Model& model, std::vector<int32_t> copy_counts,
                const DistanceOptions& options)
        : model_(model),
          copy_counts_(std::move(copy_counts)),
          tables_(static_cast<std::size_t>(data.n_loci)) {
        if (options.share_locus_results) {
            build_tables(data, options.threads);
        }
    }

    Value value(Workspace& workspace, int locus, int first, int second, int32_t count) const {
        const Table& table = tables_[static_cast<std::size_t>(locus)];
        if (table.cells == nullptr) {
            return model_.locus_value(workspace, locus, first, second, count);
        }
        const std::size_t slot = slot_of_count_[static_cast<std::size_t>(count)];
        const auto a = static_cast<std::size_t>(table.id_of[static_cast<std::size_t>(first)]);
        const auto b = static_cast<std::size_t>(table.id_of[static_cast<std::size_t>(second)]);
        return table.cells[(slot * table.distinct + a) * table.distinct + b];
    }

    // The copy counts of the pairs of a row, and the slot of each in the tables (when the tables
    // have more than one).
    struct RowCounts {
        std::vector<int32_t> counts;
        std::vector<int32_t> slots;
    };

    // Whether the model reads the pair's copy count; then row_copy_counts gives them.
    bool reads_copy_counts() const { return !copy_counts_.empty(); }

    // The pairs (i, j < end): their copy counts and slots, for add_row.
    void row_copy_counts(int i, int end, RowCounts& row) const {
        const auto n = static_cast<std::size_t>(end);
        row.counts.resize(std::max(row.counts.size(), n));
        row.slots.resize(std::max(row.slots.size(), n));
        const int32_t own = copy_counts_[static_cast<std::size_t>(i)];
        for (std::size_t j = 0; j < n; ++j) {
            row.counts[j] = std::max(own, copy_counts_[j]);
        }
        if (slot_count_ > 1) {
            for (std::size_t j = 0; j < n; ++j) {
                row.slots[j] =
                    static_cast<int32_t>(slot_of_count_[static_cast<std::size_t>(row.counts[j])]);
            }
        }
    }

    // The pairs (i, j) for every j < end at once: adds to sums[j] the result of every locus, the
    // loci in order (so that real sums add up exactly as value() locus by locus does); counted:
    // the pairs' copy counts (row_copy_counts) when the model reads them, else nothing. Locus by
    // locus over all the pairs, a tabled locus is one lookup per pair in one row of its table,
    // which stays in the cache.
    template <class Sum>
    void add_row(Workspace& workspace, int i, int end, const RowCounts* counted, Sum* sums) const {
        const auto n = static_cast<std::size_t>(end);
        const bool by_count = counted != nullptr && !copy_counts_.empty();
        for (std::size_t locus = 0; locus < tables_.size(); ++locus) {
            const Table& table = tables_[locus];
            if (table.cells == nullptr) {
                if constexpr (std::is_same_v<Sum, Value> && requires(const int32_t* counts) {
                                  model_.add_locus_row(workspace, 0, i, n, counts, sums);
                              }) {
                    if (by_count) {
                        model_.add_locus_row(workspace, static_cast<int>(locus), i, n,
                                             counted->counts.data(), sums);
                        continue;
                    }
                }
                for (std::size_t j = 0; j < n; ++j) {
                    sums[j] +=
                        model_.locus_value(workspace, static_cast<int>(locus), i,
                                           static_cast<int>(j), by_count ? counted->counts[j] : 0);
                }
                continue;
            }
            const std::size_t d = table.distinct;
            const Value* row =
                table.cells +
                static_cast<std::size_t>(table.id_of[static_cast<std::size_t>(i)]) * d;
            const int32_t* ids = table.id_of.data();
            if constexpr (std::is_same_v<Sum, Value> &&
                          (std::is_same_v<Value, int64_t> || std::is_same_v<Value, double>)) {
                if (by_count && slot_count_ > 1) {
                    add_looked_up(sums, row, ids, counted->slots.data(), d * d, n);
                } else {
                    add_looked_up(sums, row, ids, n);
                }
            } else {
                for (std::size_t j = 0; j < n; ++j) {
                    const std::size_t slot = by_count && slot_count_ > 1
                                                 ? static_cast<std::size_t>(counted->slots[j])
                                                 : 0;
                    sums[j] += row[slot * d * d + static_cast<std::size_t>(ids[j])];
                }
            }
        }
    }

    // How many loci are looked up in tables (for tests and measurements).
    int tabled_loci() const {
        return static_cast<int>(
            std::ranges::count_if(tables_, [](const Table& t) { return t.cells != nullptr; }));
    }

  private:
    struct Table {
        std::size_t distinct = 0;
        std::vector<int32_t> id_of;
        Value* cells = nullptr;  // [slot][first locus genotype][second], in pool_
    };

    // The copy counts that some pair has: the largest count of any two individuals.
    std::vector<int32_t> pair_copy_counts() const {
        if (copy_counts_.empty()) {
            return {0};
        }
        std::vector<int32_t> sorted = copy_counts_;
        std::ranges::sort(sorted);
        std::vector<int32_t> counts;
        for (std::size_t i = 1; i < sorted.size(); ++i) {
            // Every individual but the first in ascending order pairs with one at or below it.
            if (counts.empty() || counts.back() != sorted[i]) {
                counts.push_back(sorted[i]);
            }
        }
        return counts;
    }

    void build_tables(const MarkerData& data, int threads) {
        const std::vector<int32_t> counts = pair_copy_counts();
        if (counts.empty()) {
            return;
        }
        slot_count_ = counts.size();
        slot_of_count_.assign(static_cast<std::size_t>(counts.back()) + 1, 0);
        for (std::size_t slot = 0; slot < counts.size(); ++slot) {
            slot_of_count_[static_cast<std::size_t>(counts[slot])] = slot;
        }
        const auto n = static_cast<std::size_t>(data.n_individuals);
        const std::size_t pairs = n * (n - 1) / 2;
        std::vector<LocusGenotypes> loci = distinct_locus_genotypes(data, threads);
        // The loci whose table pays, and where their tables start in one block of memory.
        std::vector<std::size_t> start(loci.size(), 0);
        std::vector<bool> tabled(loci.size(), false);
        std::size_t total = 0;
        for (std::size_t locus = 0; locus < loci.size(); ++locus) {
            const std::size_t distinct = loci[locus].representative.size();
            const std::size_t cells = counts.size() * distinct * distinct;
            // A table pays when it needs at most half the results that pairs would.
            if (cells > pairs / 2 || total + cells > kLocusTableBudget) {
                continue;
            }
            tabled[locus] = true;
            start[locus] = total;
            total += cells;
        }
        if (total == 0) {
            return;
        }
        try {
            // Every cell is written before it is read: no clearing, and huge pages.
            pool_ = std::make_unique<clonal::LargeArray<Value>>(total);
        } catch (const std::bad_alloc&) {
            return;  // without room for the tables every locus is computed pair by pair
        }
        std::vector<std::size_t> filled;
        for (std::size_t locus = 0; locus < loci.size(); ++locus) {
            if (!tabled[locus]) {
                continue;
            }
            Table& table = tables_[locus];
            table.cells = pool_->data() + start[locus];
            table.distinct = loci[locus].representative.size();
            table.id_of = std::move(loci[locus].id_of);
            filled.push_back(locus);
        }
        fill_tables(filled, loci, counts, threads);
    }

    // Whether the model gives the pair of two locus genotypes the same result in either order
    // (bit for bit) at this copy count; a model that says nothing is taken as not.
    bool symmetric_at(int32_t count) const {
        if constexpr (requires { model_.symmetric_at(count); }) {
            return model_.symmetric_at(count);
        } else {
            return false;
        }
    }

    // The tables of the loci given: the rows of all of them shared among the workers at once,
    // then the mirrored halves a locus at a time.
    void fill_tables(const std::vector<std::size_t>& filled,
                     const std::vector<LocusGenotypes>& loci, const std::vector<int32_t>& counts,
                     int threads) {
        // Rows of the k-th locus filled are [first_row[k], first_row[k + 1]).
        std::vector<std::size_t> first_row{0};
        for (const std::size_t locus : filled) {
            first_row.push_back(first_row.back() + counts.size() * tables_[locus].distinct);
        }
        std::atomic<std::size_t> next_row{0};
        clonal::run_workers(clonal::worker_count(threads), [&](int) {
            Workspace workspace = model_.workspace();
            for (std::size_t taken = next_row++; taken < first_row.back(); taken = next_row++) {
                const auto k = static_cast<std::size_t>(std::ranges::upper_bound(first_row, taken) -
                                                        first_row.begin() - 1);
                const std::size_t locus = filled[k];
                fill_row(tables_[locus], static_cast<int>(locus), loci[locus].representative,
                         counts, taken - first_row[k], workspace);
            }
        });
        clonal::for_each_index(filled.size(), threads,
                               [&](std::size_t k) { mirror(tables_[filled[k]], counts); });
    }

    void fill_row(Table& table, int locus, const std::vector<int32_t>& representative,
                  const std::vector<int32_t>& counts, std::size_t row, Workspace& workspace) const {
        const std::size_t d = table.distinct;
        const int32_t count = counts[row / d];
        const std::size_t a = row % d;
        const int first = representative[a];
        // A symmetric result is computed once, below the diagonal, and mirrored.
        const std::size_t end = symmetric_at(count) ? a + 1 : d;
        Value* cells = table.cells + row * d;
        if constexpr (requires(Value * out) {
                          model_.locus_values(workspace, 0, 0, representative.data(), d, count,
                                              out);
                      }) {
            model_.locus_values(workspace, locus, first, representative.data(), end, count, cells);
        } else {
            for (std::size_t b = 0; b < end; ++b) {
                cells[b] = model_.locus_value(workspace, locus, first, representative[b], count);
            }
        }
    }

    // Copies the results below the diagonal of the symmetric slots above it.
    void mirror(Table& table, const std::vector<int32_t>& counts) const {
        const std::size_t d = table.distinct;
        for (std::size_t slot = 0; slot < counts.size(); ++slot) {
            if (!symmetric_at(counts[slot])) {
                continue;
            }
            Value* cells = table.cells + slot * d * d;
            for (std::size_t a = 0; a < d; ++a) {
                for (std::size_t b = a + 1; b < d; ++b) {
                    cells[a * d + b] = cells[b * d + a];
                }
            }
        }
    }

    const Model& model_;
    std::vector<int32_t> copy_counts_;
    std::vector<std::size_t> slot_of_count_;
    std::size_t slot_count_ = 0;  // copy counts with a slot in the tables
    std::vector<Table> tables_;
    std::unique_ptr<clonal::LargeArray<Value>> pool_;
};

}  // namespace kelvane
