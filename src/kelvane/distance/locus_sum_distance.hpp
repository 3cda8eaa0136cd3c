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
    return fill_distance_matrix(
        matrix, options, [&model] { return model.workspace(); },
        [&](typename Model::Workspace& workspace, int i, int j) -> std::optional<int32_t> {
            const int32_t copy_count = values.copy_count(i, j);
            int64_t total = start == SumStart::kMatrix ? matrix.at(i, j) : 0;
            for (int locus = 0; locus < data.n_loci; ++locus) {
                total = capped_add(total, values.value(workspace, locus, i, j, copy_count));
            }
            return fitting_distance(total);
        });
}

}  // namespace kelvane
