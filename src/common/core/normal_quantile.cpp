// The normal quantile: a rational approximation (Acklam's coefficients, relative error below
// 1.2e-9) refined by two Newton steps on the cumulative distribution 0.5 erfc(-z / sqrt 2).
#include "common/core/normal_quantile.hpp"

#include <cmath>
#include <limits>
#include <numbers>

namespace clonal {
namespace {

double first_guess(double p) {
    constexpr double a[] = {-3.969683028665376e+01, 2.209460984245205e+02,  -2.759285104469687e+02,
                            1.383577518672690e+02,  -3.066479806614716e+01, 2.506628277459239e+00};
    constexpr double b[] = {-5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
                            6.680131188771972e+01, -1.328068155288572e+01};
    constexpr double c[] = {-7.784894002430293e-03, -3.223964580411365e-01, -2.400758277161838e+00,
                            -2.549732539343734e+00, 4.374664141464968e+00,  2.938163982698783e+00};
    constexpr double d[] = {7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00,
                            3.754408661907416e+00};
    constexpr double kLow = 0.02425;
    if (p < kLow || p > 1.0 - kLow) {
        // The tails.
        const double q = std::sqrt(-2.0 * std::log(p < kLow ? p : 1.0 - p));
        const double z = (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
                         ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1.0);
        return p < kLow ? z : -z;
    }
    const double q = p - 0.5;
    const double r = q * q;
    return (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q /
           (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1.0);
}

}  // namespace

double normal_quantile(double p) {
    if (!(p > 0.0 && p < 1.0)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    double z = first_guess(p);
    for (int step = 0; step < 2; ++step) {
        const double error = 0.5 * std::erfc(-z / std::numbers::sqrt2) - p;
        const double density = std::exp(-0.5 * z * z) / std::sqrt(2.0 * std::numbers::pi);
        z -= error / density;
    }
    return z;
}

}  // namespace clonal
