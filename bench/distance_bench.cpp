// Times kelvane's distance models on synthetic data (10 loci, alleles 100 to 130, 3 percent of
// copies missing) with every core, against the targets of the team: the two-phase model per
// ploidy with its cost per pair and locus, the other models, and the fast matching of the
// two-phase model against the enumeration of all matchings in the same run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "kelvane/distance/dice_distance.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "kelvane/distance/infinite_allele_distance.hpp"
#include "kelvane/distance/stepwise_distance.hpp"
#include "kelvane/distance/two_phase_distance.hpp"
#include "synthetic_markers.hpp"

namespace {

using kelvane::DistanceMatrix;
using kelvane::DistanceOptions;
using kelvane::DistanceResult;
using kelvane::MarkerData;
using Clock = std::chrono::steady_clock;
using Model =
    std::function<DistanceResult(const MarkerData&, DistanceMatrix&, const DistanceOptions&)>;

struct Timed {
    double seconds = 0.0;
    DistanceMatrix matrix;
};

Timed time_model(const Model& model, const MarkerData& data, const DistanceOptions& options) {
    Timed timed{0.0, DistanceMatrix(data.n_individuals)};
    const Clock::time_point start = Clock::now();
    const DistanceResult result = model(data, timed.matrix, options);
    timed.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (result != DistanceResult::kDone) {
        std::printf("  (refused: a distance does not fit 32 bits)\n");
    }
    return timed;
}

MarkerData synthetic(int n, int ploidy) {
    kelvane::bench::SyntheticMarkers settings;
    settings.individuals = n;
    settings.ploidy = ploidy;
    settings.seed = static_cast<uint32_t>(n * 100 + ploidy);
    return kelvane::bench::synthetic_markers(settings);
}

Model two_phase(int32_t missing, float base, float multiplier) {
    return [=](const MarkerData& d, DistanceMatrix& m, const DistanceOptions& o) {
        return kelvane::two_phase_distance(d, m, missing, base, multiplier, o);
    };
}

void timed_row(const char* name, int n, int ploidy, const Model& model, double target) {
    const MarkerData data = synthetic(n, ploidy);
    const Timed timed = time_model(model, data, {});
    if (target > 0.0) {
        std::printf("%-40s %6d %6d %10.2f %8.0f   %s\n", name, n, ploidy, timed.seconds, target,
                    timed.seconds <= target ? "met" : "MISSED");
    } else {
        std::printf("%-40s %6d %6d %10.2f %8s\n", name, n, ploidy, timed.seconds, "-");
    }
    std::fflush(stdout);
}

// The two-phase model (choice 5) over the whole matrix of 1000 individuals at every ploidy we
// follow: seconds, wall nanoseconds per pair and locus and their ratio to the diploid one, and
// the targets (seconds before the matching was reworked, seconds to reach).
void two_phase_per_ploidy() {
    struct Target {
        int ploidy;
        double before;
        double target;
    };
    const Target targets[] = {{4, 0.54, 0.15}, {6, 1.39, 0.5}, {8, 2.8, 1.2}, {16, 10.5, 10.5}};
    const int n = 1000;
    std::printf("%6s %6s %10s %14s %10s\n", "ploidy", "n", "seconds", "ns/pair-locus",
                "vs ploidy 2");
    std::vector<std::pair<int, double>> measured;
    double diploid_ns = 0.0;
    for (const int ploidy : {2, 3, 4, 6, 8, 16}) {
        const MarkerData data = synthetic(n, ploidy);
        const double seconds = time_model(two_phase(0, 2.0f, 100.0f), data, {}).seconds;
        const double pair_loci = static_cast<double>(n) * (n - 1) / 2.0 * data.n_loci;
        const double ns = seconds * 1e9 / pair_loci;
        if (ploidy == 2) {
            diploid_ns = ns;
        }
        std::printf("%6d %6d %10.2f %14.1f %10.1f\n", ploidy, n, seconds, ns,
                    ns / std::max(diploid_ns, 1e-9));
        std::fflush(stdout);
        measured.emplace_back(ploidy, seconds);
    }
    std::printf("\n%6s %6s %10s %10s %10s\n", "ploidy", "n", "before s", "target s", "now s");
    for (const Target& t : targets) {
        const auto found = std::ranges::find(measured, t.ploidy, &std::pair<int, double>::first);
        std::printf("%6d %6d %10.2f %10.2f %10.2f   %s\n", t.ploidy, n, t.before, t.target,
                    found->second, found->second <= t.target ? "met" : "MISSED");
    }
    std::fflush(stdout);
}

void enumeration_ratio(int n, int ploidy) {
    const MarkerData data = synthetic(n, ploidy);
    const Model model = two_phase(0, 2.0f, 100.0f);
    // Sharing off for both: every pair's matchings are computed, the way the enumeration must.
    const Timed fast = time_model(model, data, {0, false, false});
    const Timed enumerated = time_model(model, data, {0, false, true});
    const bool identical = std::ranges::equal(fast.matrix.cells(), enumerated.matrix.cells());
    std::printf("%6d %6d %12.4f %12.4f %10.0f   %s\n", ploidy, n, fast.seconds, enumerated.seconds,
                enumerated.seconds / std::max(fast.seconds, 1e-9),
                identical ? "identical" : "DIFFERENT");
    std::fflush(stdout);
}

// The reference of a byte loop that vector units run at full width: the sum over a pair's copy
// slots of |a - b| on byte codes (the stepwise distance of genotypes without missing copies, the
// copies sorted), every pair (i, j < i) of one row at a time.
[[gnu::target("avx2"), gnu::optimize("O3")]] void byte_rows(const uint8_t* codes, int n, int width,
                                                            int32_t* out) {
    for (int i = 1; i < n; ++i) {
        const uint8_t* own = codes + static_cast<std::size_t>(i) * width;
        for (int j = 0; j < i; ++j) {
            const uint8_t* other = codes + static_cast<std::size_t>(j) * width;
            int32_t sum = 0;
            for (int c = 0; c < width; ++c) {
                sum += own[c] > other[c] ? own[c] - other[c] : other[c] - own[c];
            }
            out[j] = sum;
        }
    }
}

// Per pair and locus on one core, 5,000 individuals x 20 loci: the stepwise and infinite-allele
// models against the byte loop over the same data as codes.
void per_pair_locus() {
    kelvane::bench::SyntheticMarkers settings;
    settings.individuals = 5000;
    settings.loci = 20;
    settings.seed = 77;
    const MarkerData data = kelvane::bench::synthetic_markers(settings);
    const double pair_loci = 5000.0 * 4999.0 / 2.0 * 20.0;
    std::vector<uint8_t> codes(5000 * 40);
    for (int i = 0; i < 5000; ++i) {
        for (int k = 0; k < 20; ++k) {
            const auto copies = data.locus_genotype(i, k);
            for (int c = 0; c < 2; ++c) {
                codes[static_cast<std::size_t>(i * 40 + k * 2 + c)] =
                    static_cast<uint8_t>(copies[static_cast<std::size_t>(c)] == 0
                                             ? 0
                                             : copies[static_cast<std::size_t>(c)] - 99);
            }
        }
    }
    std::vector<int32_t> out(5000);
    const Clock::time_point start = Clock::now();
    byte_rows(codes.data(), 5000, 40, out.data());
    const double reference =
        std::chrono::duration<double>(Clock::now() - start).count() * 1e9 / pair_loci;
    std::printf("\n%-44s %10s %10s\n", "one core, 5000 x 20 loci", "ns/pair-loc", "vs bytes");
    std::printf("%-44s %10.2f %10.1f\n", "byte loop over the codes (reference)", reference, 1.0);
    const std::pair<const char*, Model> models[] = {
        {"stepwise, missing not counted",
         [](const MarkerData& d, DistanceMatrix& m, const DistanceOptions& o) {
             return kelvane::stepwise_not_counted(d, m, false, o);
         }},
        {"infinite allele, missing not counted",
         [](const MarkerData& d, DistanceMatrix& m, const DistanceOptions& o) {
             return kelvane::infinite_allele_steps(d, m, 0, o);
         }},
    };
    for (const auto& [name, model] : models) {
        const double ns = time_model(model, data, {1}).seconds * 1e9 / pair_loci;
        std::printf("%-44s %10.2f %10.1f\n", name, ns, ns / reference);
    }
    std::fflush(stdout);
}

}  // namespace

int main() {
    std::printf("distance models, %u cores, every core in use, wall seconds\n\n",
                std::thread::hardware_concurrency());
    std::printf("two-phase, missing not counted (5), base 2\n\n");
    two_phase_per_ploidy();
    std::printf("\n%-40s %6s %6s %10s %8s\n", "model", "n", "ploidy", "seconds", "target");
    timed_row(
        "stepwise, missing not counted (1)", 5000, 2,
        [](const MarkerData& d, DistanceMatrix& m, const DistanceOptions& o) {
            return kelvane::stepwise_not_counted(d, m, false, o);
        },
        3.0);
    timed_row("two-phase, missing infinite (6)", 1000, 8, two_phase(10001, 2.0f, 100.0f), 0.0);
    timed_row("two-phase, base 1.3, missing 2 (7)", 1000, 8, two_phase(2, 1.3f, 100.0f), 0.0);
    timed_row("two-phase, base 1.3, missing 2 (7)", 300, 16, two_phase(2, 1.3f, 100.0f), 0.0);
    timed_row(
        "stepwise, missing = 3 steps, squared (4)", 5000, 2,
        [](const MarkerData& d, DistanceMatrix& m, const DistanceOptions& o) {
            return kelvane::stepwise_missing_steps(d, m, 3, true, o);
        },
        0.0);
    timed_row(
        "stepwise, average fill (2, -1)", 5000, 2,
        [](const MarkerData& d, DistanceMatrix& m, const DistanceOptions& o) {
            return kelvane::stepwise_average_fill(d, m, o);
        },
        0.0);
    timed_row(
        "infinite allele, missing = 2 (3)", 5000, 2,
        [](const MarkerData& d, DistanceMatrix& m, const DistanceOptions& o) {
            return kelvane::infinite_allele_steps(d, m, 2, o);
        },
        0.0);

    std::printf(
        "\nfast matching against the enumeration of all matchings (two-phase, choice 5,\n"
        "locus results not shared), same run\n\n");
    std::printf("%6s %6s %12s %12s %10s\n", "ploidy", "n", "fast s", "enumerated s", "ratio");
    enumeration_ratio(100, 6);
    enumeration_ratio(24, 8);
    per_pair_locus();
    return 0;
}
