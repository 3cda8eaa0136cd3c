// The bootstrap test of one pair of populations.
#include "marsyl/core/bootstrap.hpp"

#include <array>

#include "common/core/allocation.hpp"
#include "common/core/permutation_counts.hpp"

namespace marsyl {
namespace {

void draw_with_replacement(std::span<const int32_t> from, std::vector<int32_t>& sample,
                           clonal::Random& random) {
    const auto size = static_cast<int>(from.size());
    for (auto& entry : sample) {
        entry = from[static_cast<std::size_t>(clonal::draw_index(random.next_uniform(), size))];
    }
}

// Replicates between two reports of progress.
constexpr int32_t kReportEvery = 64;

IndexSet difference(const IndexSet& a, const IndexSet& b) {
    IndexSet d{};
    for (int k = 0; k < kIndexCount; ++k) {
        d[k] = a[k] - b[k];
    }
    return d;
}

}  // namespace

BootstrapValues bootstrap_resample(std::span<const int32_t> a, std::span<const int32_t> b,
                                   const IndexSet& observed_difference, clonal::Random& random,
                                   BootstrapWorkspace& workspace) {
    draw_with_replacement(a, workspace.sample_a, random);
    draw_with_replacement(b, workspace.sample_b, random);
    BootstrapValues values;
    values.a = workspace.calculator.compute(workspace.sample_a);
    values.b = workspace.calculator.compute(workspace.sample_b);
    for (int k = 0; k < kIndexCount; ++k) {
        values.difference[k] = (values.a[k] - values.b[k]) - observed_difference[k];
    }
    return values;
}

BootstrapPValues bootstrap_pair(std::span<const int32_t> a, std::span<const int32_t> b,
                                int32_t permutations, clonal::Random& random,
                                const BootstrapObserver& each,
                                const clonal::ProgressReport& progress) {
    BootstrapWorkspace workspace;
    clonal::with_memory_message("Malloc failed", [&] {
        workspace.sample_a.resize(a.size());
        workspace.sample_b.resize(b.size());
    });
    BootstrapValues observed;
    observed.a = workspace.calculator.compute(a);
    observed.b = workspace.calculator.compute(b);
    observed.difference = difference(observed.a, observed.b);
    if (each) {
        each(observed);
    }

    std::array<clonal::PermutationCounts, kIndexCount> counts{};
    for (int32_t r = 1; r < permutations; ++r) {
        const BootstrapValues replicate =
            bootstrap_resample(a, b, observed.difference, random, workspace);
        if (each) {
            each(replicate);
        }
        for (int k = 0; k < kIndexCount; ++k) {
            counts[k].add(replicate.difference[k], observed.difference[k]);
        }
        if (progress && r % kReportEvery == 0) {
            progress(static_cast<uint64_t>(r), static_cast<uint64_t>(permutations));
        }
    }

    BootstrapPValues p{};
    for (int k = 0; k < kIndexCount; ++k) {
        p.at_least[k] = counts[k].p_at_least(permutations);
        p.at_most[k] = counts[k].p_at_most(permutations);
    }
    return p;
}

}  // namespace marsyl
