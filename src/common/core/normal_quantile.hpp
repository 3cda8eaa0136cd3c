// The quantile function of the standard normal distribution, for confidence intervals.
#pragma once

namespace clonal {

// z with P(Z <= z) = p for a standard normal Z, p in (0, 1), to about full double precision
// (a rational first guess refined by Newton's method on the error function). NaN outside (0, 1).
double normal_quantile(double p);

}  // namespace clonal
