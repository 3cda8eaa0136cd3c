// The Pareto fit of a clone-size spectrum, by the closed form of the least-squares line on
// centred values.
#include "marsyl/core/extended/pareto_fit.hpp"

#include <cmath>
#include <limits>
#include <vector>

namespace marsyl {

std::vector<ParetoPoint> pareto_points(const SizeSpectrum& spectrum) {
    const std::vector<SizeClass>& classes = spectrum.classes;
    std::vector<ParetoPoint> points(classes.size());
    // Individuals in clones of the size of class i or larger, from the largest size down.
    int64_t at_least = 0;
    for (std::size_t i = classes.size(); i-- > 0;) {
        at_least += classes[i].size * classes[i].clones;
        points[i].log_size = std::log10(static_cast<double>(classes[i].size));
        points[i].log_share =
            std::log10(static_cast<double>(at_least) / static_cast<double>(spectrum.individuals));
    }
    return points;
}

ParetoFit pareto_fit(const SizeSpectrum& spectrum) {
    const std::vector<ParetoPoint> points = pareto_points(spectrum);
    const auto k = points.size();
    ParetoFit fit;
    fit.points = static_cast<int64_t>(k);
    if (k < 2) {
        fit.beta = fit.c = fit.r2 = fit.intercept = std::numeric_limits<double>::quiet_NaN();
        return fit;
    }
    std::vector<double> x(k);
    std::vector<double> y(k);
    for (std::size_t i = 0; i < k; ++i) {
        x[i] = points[i].log_size;
        y[i] = points[i].log_share;
    }
    double mean_x = 0.0;
    double mean_y = 0.0;
    for (std::size_t i = 0; i < k; ++i) {
        mean_x += x[i];
        mean_y += y[i];
    }
    mean_x /= static_cast<double>(k);
    mean_y /= static_cast<double>(k);
    double sxx = 0.0;
    double sxy = 0.0;
    double syy = 0.0;
    for (std::size_t i = 0; i < k; ++i) {
        const double dx = x[i] - mean_x;
        const double dy = y[i] - mean_y;
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
    }
    const double slope = sxy / sxx;
    // 1 - residual / total sum of squares: exactly 1 for a perfect fit such as two points,
    // where the ratio sxy^2 / (sxx syy) may miss it by a rounding.
    double residual = 0.0;
    for (std::size_t i = 0; i < k; ++i) {
        const double r = (y[i] - mean_y) - slope * (x[i] - mean_x);
        residual += r * r;
    }
    fit.beta = -slope;
    fit.c = fit.beta + 1.0;
    fit.r2 = 1.0 - residual / syy;
    fit.intercept = mean_y - slope * mean_x;
    return fit;
}

}  // namespace marsyl
