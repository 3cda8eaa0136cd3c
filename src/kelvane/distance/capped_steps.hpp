// Counts of mutation steps that cannot overflow. Every count of the integer distance models is a
// sum of non-negative terms, and a distance above the 32-bit range is refused anyway, so each
// value is held at kStepCap, one above the largest distance: a held value marks a distance that
// does not fit, and as the operations are monotone, holding early never changes a distance that
// does fit.
#pragma once

#include <cstdint>
#include <optional>

namespace kelvane {

inline constexpr int64_t kStepCap = int64_t{INT32_MAX} + 1;

// v (0 or more) held at kStepCap.
constexpr int64_t capped(int64_t v) {
    return v < kStepCap ? v : kStepCap;
}

// Sum and product of two capped counts: both stay far inside 64 bits before being held.
constexpr int64_t capped_add(int64_t a, int64_t b) {
    return capped(a + b);
}
constexpr int64_t capped_multiply(int64_t a, int64_t b) {
    return capped(a * b);
}
constexpr int64_t capped_square(int64_t a) {
    return capped(a * a);
}

// The number of steps between two allele values, |a - b|, held at kStepCap.
constexpr int64_t capped_steps(int32_t a, int32_t b) {
    const int64_t difference = int64_t{a} - int64_t{b};
    return capped(difference < 0 ? -difference : difference);
}

// The distance a capped count stands for, or nothing when it does not fit 32 bits.
constexpr std::optional<int32_t> fitting_distance(int64_t count) {
    if (count >= kStepCap) {
        return std::nullopt;
    }
    return static_cast<int32_t>(count);
}

}  // namespace kelvane
