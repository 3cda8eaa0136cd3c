// The frame of the integer distance models: the distance of a pair is the sum of its locus
// results over all loci, refused when it does not fit 32 bits.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/capped_steps.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/distance/locus_values.hpp"
#include "kelvane/distance/pair_loop.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// Fills the matrix with the locus sums of model (see locus_values.hpp for what a model
// supplies); its locus results are capped counts (capped_steps.hpp). copy_counts as for
// LocusValues. start: kMatrix adds the loci to the sums the matrix holds below its diagonal.
template <class Model>
DistanceResult fill_locus_sums(const MarkerData& data, DistanceMatrix& matrix, const Model& model,
                               std::vector<int32_t> copy_counts, const DistanceOptions& options,
                               SumStart start = SumStart::kZero) {
    const LocusValues<Model> values(data, model, std::move(copy_counts), options);
    struct Workspace {
        typename Model::Workspace model;
        std::vector<int64_t> sums;
        typename LocusValues<Model>::RowCounts counts;
    };
    const auto n = static_cast<std::size_t>(data.n_individuals);
    return fill_distance_rows(
        matrix, options,
        [&] {
            return Workspace{model.workspace(), std::vector<int64_t>(n),
                             typename LocusValues<Model>::RowCounts{}};
        },
        [&](Workspace& w, int i) {
            for (int j = 0; j < i; ++j) {
                w.sums[static_cast<std::size_t>(j)] =
                    start == SumStart::kMatrix ? matrix.at(i, j) : 0;
            }
            const bool counted = values.reads_copy_counts();
            if (counted) {
                values.row_copy_counts(i, i, w.counts);
            }
            values.add_row(w.model, i, i, counted ? &w.counts : nullptr, w.sums.data());
        },
        // Every locus result is a capped count, so a sum that does not fit 32 bits is one that
        // does not fit however the loci are held (capped_steps.hpp).
        [](const Workspace& w, int, int j) {
            return fitting_distance(w.sums[static_cast<std::size_t>(j)]);
        });
}

}  // namespace kelvane
