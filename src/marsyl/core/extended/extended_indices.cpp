// The extended indices of a clone-size distribution. Sums of clone sizes and of their squares
// are kept in 64-bit integers, so that every index that is exactly 0 or 1 comes out so.
#include "marsyl/core/extended/extended_indices.hpp"

#include <cmath>
#include <limits>

namespace marsyl {
namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

double real(int64_t value) {
    return static_cast<double>(value);
}

// -sum p ln p, one term per clone in increasing order of size. For a single clone the one term
// is -(1 ln 1) = -0, which the sum with +0 turns into the 0 the index is.
double shannon_index(const SizeSpectrum& spectrum) {
    const double n = real(spectrum.individuals);
    double sum = 0.0;
    for (const SizeClass& size_class : spectrum.classes) {
        const double p = real(size_class.size) / n;
        sum += real(size_class.clones) * (p * std::log(p));
    }
    return -sum + 0.0;
}

}  // namespace

ExtendedIndices extended_indices(const SizeSpectrum& spectrum) {
    const int64_t n = spectrum.individuals;
    const int64_t g = spectrum.genotypes;
    ExtendedIndices x;
    x.individuals = n;
    x.genotypes = g;
    if (n == 0) {
        x.richness = x.shannon = x.pielou = x.simpson = x.hill = x.evenness = x.lambda =
            x.stoddart_taylor = x.e5 = kUndefined;
        return x;
    }
    // sum n_i^2 and S = sum n_i (n_i - 1): exact for any N whose square fits in 63 bits.
    int64_t squares = 0;
    for (const SizeClass& size_class : spectrum.classes) {
        squares += size_class.clones * size_class.size * size_class.size;
    }
    const int64_t pairs_within = squares - n;  // S, ordered pairs of individuals of one clone
    const int64_t pairs = n * (n - 1);         // ordered pairs of individuals
    const bool all_distinct = g == n;

    // RClone sets R to 1 for a sample without clone mates, a single individual included.
    x.richness = all_distinct ? 1.0 : real(g - 1) / real(n - 1);
    x.shannon = shannon_index(spectrum);
    x.pielou = g == 1 || all_distinct ? kUndefined : x.shannon / std::log(real(g));
    x.simpson = n == 1 ? kUndefined : 1.0 - real(pairs_within) / real(pairs);
    x.hill = pairs_within == 0 ? kUndefined : real(pairs) / real(pairs_within);
    if (g == 1 || all_distinct) {
        x.evenness = kUndefined;
    } else {
        // (D - Dmin) / (Dmax - Dmin) with D the unbiased Simpson index, Dmin that of one clone
        // holding every clone mate and Dmax that of clones as even as N and G allow, multiplied
        // out to G ((N - G)(N - G + 1) - S) / ((G - 1)(N - G)^2): the numerator is an integer,
        // exactly 0 for the least even sample, where the differences would leave rounding.
        const int64_t surplus = n - g;
        const int64_t above_least_even = surplus * (surplus + 1) - pairs_within;
        x.evenness =
            real(g) / real(g - 1) * (real(above_least_even) / (real(surplus) * real(surplus)));
    }
    // sum p^2 = squares / N^2, so 1 - sum p^2 = (N^2 - squares) / N^2 and 1 / sum p^2 - 1 =
    // (N^2 - squares) / squares, with an integer difference that is exactly 0 for one clone.
    const int64_t n_squared = n * n;
    const double unshared = real(n_squared - squares);
    x.lambda = unshared / real(n_squared);
    x.stoddart_taylor = real(n_squared) / real(squares);
    x.e5 = g == 1 ? kUndefined : unshared / real(squares) / std::expm1(x.shannon);
    return x;
}

}  // namespace marsyl
