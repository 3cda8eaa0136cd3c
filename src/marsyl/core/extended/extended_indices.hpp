// Clonal richness, diversity and evenness of a clone-size distribution in the forms papers on
// clonal populations report: genotype counts, Shannon's index with the natural logarithm and
// Pielou's evenness, the unbiased Simpson index with its Hill number and evenness V, and the
// plug-in Simpson index with the evenness E5.
#pragma once

#include <cstdint>

#include "marsyl/core/extended/size_spectrum.hpp"

namespace marsyl {

// A value that is undefined for the sample is NaN; none is ever an infinity or -0.
struct ExtendedIndices {
    int64_t individuals = 0;       // N
    int64_t genotypes = 0;         // G
    double richness = 0.0;         // R = (G - 1) / (N - 1), and 1 whenever G = N
    double shannon = 0.0;          // H = -sum p ln p
    double pielou = 0.0;           // J = H / ln G, undefined when G = 1 or G = N
    double simpson = 0.0;          // 1 - sum n(n - 1) / (N (N - 1))
    double hill = 0.0;             // 1 / (1 - simpson), undefined when every clone is a singleton
    double evenness = 0.0;         // V, simpson between its least and most even values for N and G
    double lambda = 0.0;           // 1 - sum p^2
    double stoddart_taylor = 0.0;  // G of Stoddart and Taylor (1988), 1 / sum p^2
    double e5 = 0.0;               // (1 / sum p^2 - 1) / (e^H - 1), undefined when G = 1
};

ExtendedIndices extended_indices(const SizeSpectrum& spectrum);

}  // namespace marsyl
