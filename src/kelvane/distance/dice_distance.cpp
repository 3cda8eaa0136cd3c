// The Dice distance of presence/absence data: one minus the Dice similarity of the bands two
// individuals show, on a scale of 100 (or 100000), over the loci where both are typed.
#include "kelvane/distance/dice_distance.hpp"

#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/core/allocation.hpp"
#include "kelvane/distance/pair_loop.hpp"

namespace kelvane {
namespace {

struct DiceScale {
    int64_t absence;  // 64 bits: the code typed may be the smallest 32-bit integer
    int32_t scale;
};

// A negative code asks for the finer scale; the absence code is then its absolute value.
DiceScale dice_scale(int32_t absence_code) {
    if (absence_code < 0) {
        return {-int64_t{absence_code}, 100000};
    }
    return {absence_code, 100};
}

// Rounds to the nearest integer, halves away from zero.
int32_t round_half_away(double value) {
    return static_cast<int32_t>(value >= 0.0 ? std::trunc(value + 0.5) : std::trunc(value - 0.5));
}

// Only the first slot of every locus genotype is looked at: the bands of every individual, locus
// after locus, so that the loci of the two individuals of a pair are read in one run each.
std::vector<int32_t> first_slots(const MarkerData& data) {
    std::vector<int32_t> bands;
    bands.reserve(static_cast<std::size_t>(data.n_individuals) *
                  static_cast<std::size_t>(data.n_loci));
    for (int i = 0; i < data.n_individuals; ++i) {
        for (int locus = 0; locus < data.n_loci; ++locus) {
            bands.push_back(data.locus_genotype(i, locus)[0]);
        }
    }
    return bands;
}

int32_t pair_distance(std::span<const int32_t> bands_of_i, std::span<const int32_t> bands_of_j,
                      const DiceScale& dice) {
    int32_t present_i = 0;
    int32_t present_j = 0;
    int32_t shared = 0;
    for (std::size_t locus = 0; locus < bands_of_i.size(); ++locus) {
        // A locus where either is missing does not count.
        const int32_t band_i = bands_of_i[locus];
        const int32_t band_j = bands_of_j[locus];
        if (band_i == 0 || band_j == 0) {
            continue;
        }
        present_i += band_i != dice.absence ? 1 : 0;
        present_j += band_j != dice.absence ? 1 : 0;
        shared += (band_j != dice.absence && band_j == band_i) ? 1 : 0;
    }
    if (present_i + present_j == 0) {
        return 0;
    }
    // 2 * shared never exceeds present_i + present_j, so the value lies in 0 to the scale.
    return round_half_away(dice.scale - (shared * 2.0 * dice.scale) / (present_i + present_j));
}

}  // namespace

DistanceResult dice_distance(const MarkerData& data, DistanceMatrix& matrix, int32_t absence_code,
                             const DistanceOptions& options) {
    const DiceScale dice = dice_scale(absence_code);
    return clonal::with_memory_message(kDistanceMemoryMessage, [&] {
        const std::vector<int32_t> bands = first_slots(data);
        const auto loci = static_cast<std::size_t>(data.n_loci);
        const auto bands_of = [&](int i) {
            return std::span<const int32_t>(bands).subspan(static_cast<std::size_t>(i) * loci,
                                                           loci);
        };
        struct NoWorkspace {};
        return fill_distance_matrix(
            matrix, options, [] { return NoWorkspace{}; },
            [&](NoWorkspace&, int i, int j) -> std::optional<int32_t> {
                return pair_distance(bands_of(i), bands_of(j), dice);
            });
    });
}

}  // namespace kelvane
