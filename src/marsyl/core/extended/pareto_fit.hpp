// The Pareto distribution of clone sizes: for every distinct clone size x the share y of
// individuals that belong to clones of size x or larger, and the least-squares line of log10 y
// on log10 x. Its negated slope beta is the Pareto index: small when a few large clones hold most
// individuals, large when clones are of similar size.
#pragma once

#include <cstdint>
#include <vector>

#include "marsyl/core/extended/size_spectrum.hpp"

namespace marsyl {

// A point of the fit: log10 of a clone size and of the share of individuals in clones of that
// size or larger.
struct ParetoPoint {
    double log_size = 0.0;
    double log_share = 0.0;
};

// The points, one per distinct clone size, in increasing order of size.
std::vector<ParetoPoint> pareto_points(const SizeSpectrum& spectrum);

// beta, c, r2 and intercept are undefined (NaN) for fewer than two points.
struct ParetoFit {
    double beta = 0.0;       // -slope
    double c = 0.0;          // beta + 1
    double r2 = 0.0;         // the plain coefficient of determination of the fit
    int64_t points = 0;      // distinct clone sizes
    double intercept = 0.0;  // log10 share at log10 size 0: the line is intercept - beta x
};

ParetoFit pareto_fit(const SizeSpectrum& spectrum);

}  // namespace marsyl
