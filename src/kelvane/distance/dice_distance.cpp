// The Dice distance of presence/absence data: one minus the Dice similarity of the bands two
// individuals show, on a scale of 100 (or 100000), over the loci where both are typed.
#include "kelvane/distance/dice_distance.hpp"

#include <cmath>
#include <cstdint>
#include <optional>

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

int32_t pair_distance(const MarkerData& data, const DiceScale& dice, int i, int j) {
    int32_t present_i = 0;
    int32_t present_j = 0;
    int32_t shared = 0;
    for (int locus = 0; locus < data.n_loci; ++locus) {
        // Only the first slot is looked at; a locus where either is missing does not count.
        const int32_t band_i = data.locus_genotype(i, locus)[0];
        const int32_t band_j = data.locus_genotype(j, locus)[0];
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
    struct NoWorkspace {};
    return fill_distance_matrix(
        matrix, options, [] { return NoWorkspace{}; },
        [&](NoWorkspace&, int i, int j) -> std::optional<int32_t> {
            return pair_distance(data, dice, i, j);
        });
}

}  // namespace kelvane
