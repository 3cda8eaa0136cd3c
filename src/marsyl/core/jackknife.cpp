// The jackknife curve of one population, one subsample size at a time.
#include "marsyl/core/jackknife.hpp"

#include <algorithm>
#include <cmath>

#include "common/core/allocation.hpp"

namespace marsyl {
namespace {

// Sorts reals ascending with every value that is not a number after all numbers.
void sort_doubles_ascending(std::span<double> values) {
    std::stable_sort(values.begin(), values.end(), [](double a, double b) {
        if (std::isnan(a)) {
            return false;
        }
        if (std::isnan(b)) {
            return true;
        }
        return a < b;
    });
}

}  // namespace

JackknifeWorkspace::JackknifeWorkspace(int32_t subsamples) {
    static constexpr std::array<const char*, kIndexCount> kMessages = {
        "count_matrix Malloc failed", "eff_matrix Malloc failed", "div_matrix Malloc failed",
        "eve_matrix Malloc failed",   "shw_matrix Malloc failed", "shc_matrix Malloc failed"};
    for (int k = 0; k < kIndexCount; ++k) {
        clonal::with_memory_message(
            kMessages[k], [&] { values[k].resize(static_cast<std::size_t>(subsamples)); });
    }
}

JackknifeRow jackknife_size(std::span<int32_t> genotypes, int32_t size, clonal::Random& random,
                            JackknifeWorkspace& workspace) {
    const std::size_t subsamples = workspace.values[0].size();
    const auto subsample = genotypes.first(static_cast<std::size_t>(size));
    IndexSet sum{};
    for (std::size_t r = 0; r < subsamples; ++r) {
        clonal::partial_shuffle(random, genotypes, size);
        const IndexSet indices = workspace.calculator.compute(subsample);
        for (int k = 0; k < kIndexCount; ++k) {
            workspace.values[k][r] = indices[k];
            sum[k] += indices[k];
        }
    }

    JackknifeRow row{};
    const std::size_t m = subsamples / 20;
    const std::size_t upper = std::min(subsamples - m, subsamples - 1);
    for (int k = 0; k < kIndexCount; ++k) {
        auto& values = workspace.values[k];
        sort_doubles_ascending(values);
        row.mean[k] = sum[k] / static_cast<double>(subsamples);
        row.low[k] = values[m];
        row.up[k] = values[upper];
    }
    return row;
}

JackknifeCurve jackknife_population(std::span<int32_t> genotypes, clonal::Random& random,
                                    JackknifeWorkspace& workspace,
                                    const clonal::ProgressReport& progress) {
    const auto n = static_cast<int32_t>(genotypes.size());
    JackknifeCurve curve;
    curve.whole = workspace.calculator.compute(genotypes);
    for (int32_t size = 2; size < n; ++size) {
        curve.rows.push_back(jackknife_size(genotypes, size, random, workspace));
        if (progress) {
            progress(static_cast<uint64_t>(size - 1), static_cast<uint64_t>(n - 2));
        }
    }
    return curve;
}

}  // namespace marsyl
