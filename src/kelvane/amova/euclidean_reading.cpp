// The Euclidean readings of distances and the constants of the corrections.
#include "kelvane/amova/euclidean_reading.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "kelvane/amova/symmetric_eigenvalues.hpp"

namespace kelvane {
namespace {

constexpr double kTolerance = 1e-7;

std::size_t cell(int a, int b) {
    return static_cast<std::size_t>(a) * static_cast<std::size_t>(a - 1) / 2 +
           static_cast<std::size_t>(b);
}

// -1/2 J S J of squared distances S (packed), as a full matrix whose lower triangle is read; plus
// lift times the projection on the constant vector, which moves its eigenvalue 0 to lift.
std::vector<double> gower_matrix(std::span<const double> squared, int n, double lift) {
    std::vector<double> means(static_cast<std::size_t>(n), 0.0);
    double grand = 0.0;
    for (int a = 1; a < n; ++a) {
        for (int b = 0; b < a; ++b) {
            const double value = squared[cell(a, b)];
            means[static_cast<std::size_t>(a)] += value;
            means[static_cast<std::size_t>(b)] += value;
            grand += 2.0 * value;
        }
    }
    const auto size = static_cast<double>(n);
    for (double& mean : means) {
        mean /= size;
    }
    grand /= size * size;
    std::vector<double> gower(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0.0);
    for (int a = 0; a < n; ++a) {
        for (int b = 0; b <= a; ++b) {
            const double value = a == b ? 0.0 : squared[cell(a, b)];
            gower[static_cast<std::size_t>(a) * static_cast<std::size_t>(n) +
                  static_cast<std::size_t>(b)] =
                -0.5 * (value - means[static_cast<std::size_t>(a)] -
                        means[static_cast<std::size_t>(b)] + grand) +
                lift / size;
        }
    }
    return gower;
}

ExtremeEigenvalues gower_eigenvalues(std::span<const double> squared, int n, double lift) {
    std::vector<double> gower = gower_matrix(squared, n, lift);
    return extreme_eigenvalues(gower, n);
}

// The smallest eigenvalue of the Gower matrix of (d + c)^2 off the diagonal, d = sqrt(D), away from
// the constant vector: at least 0 exactly when d + c is Euclidean.
double cailliez_margin(std::span<const double> roots, int n, double c, double lift) {
    std::vector<double> squared(roots.size());
    for (std::size_t i = 0; i < roots.size(); ++i) {
        squared[i] = (roots[i] + c) * (roots[i] + c);
    }
    return gower_eigenvalues(squared, n, lift).smallest;
}

// The smallest c >= 0 for which d + c is Euclidean: bracketed, then found by regula falsi with
// the Illinois step.
double cailliez_constant(std::span<const double> roots, int n) {
    double largest = 0.0;
    for (const double root : roots) {
        largest = std::max(largest, root);
    }
    const double lift = std::max(largest * largest, 1.0);
    double low = 0.0;
    double f_low = cailliez_margin(roots, n, low, lift);
    double high = std::max(largest, 1.0);
    double f_high = cailliez_margin(roots, n, high, lift);
    while (f_high < 0.0) {
        low = high;
        f_low = f_high;
        high *= 2.0;
        f_high = cailliez_margin(roots, n, high, lift);
    }
    int side = 0;
    for (int step = 0; step < 200 && high - low > 1e-15 * high; ++step) {
        const double c = high - f_high * (high - low) / (f_high - f_low);
        const double at =
            std::clamp(c, low, high) == c && c > low && c < high ? c : low + (high - low) / 2.0;
        const double f = cailliez_margin(roots, n, at, lift);
        if (f >= 0.0) {
            high = at;
            f_high = f;
            if (side == 1) {
                f_low /= 2.0;
            }
            side = 1;
        } else {
            low = at;
            f_low = f;
            if (side == -1) {
                f_high /= 2.0;
            }
            side = -1;
        }
    }
    return high;
}

}  // namespace

std::span<const clonal::NamedChoice<EuclideanReading>> euclidean_readings() {
    static constexpr std::array<clonal::NamedChoice<EuclideanReading>, 4> kReadings{{
        {EuclideanReading::kSqrt, "sqrt"},
        {EuclideanReading::kNone, "none"},
        {EuclideanReading::kCailliez, "cailliez"},
        {EuclideanReading::kLingoes, "lingoes"},
    }};
    return kReadings;
}

bool is_euclidean(std::span<const double> squared, int n) {
    if (n < 3) {
        return true;
    }
    const ExtremeEigenvalues values = gower_eigenvalues(squared, n, 0.0);
    return values.largest <= 0.0 || values.smallest / values.largest > -kTolerance;
}

EuclideanValues euclidean_values(const DistanceMatrix& matrix, std::span<const int> rows,
                                 EuclideanReading reading) {
    const auto n = static_cast<int>(rows.size());
    EuclideanValues values;
    values.cells.reserve(static_cast<std::size_t>(n) * static_cast<std::size_t>(n > 0 ? n - 1 : 0) /
                         2);
    for (int a = 1; a < n; ++a) {
        const auto row = matrix.row(rows[static_cast<std::size_t>(a)]);
        for (int b = 0; b < a; ++b) {
            const auto distance = static_cast<double>(
                row[static_cast<std::size_t>(rows[static_cast<std::size_t>(b)])]);
            values.cells.push_back(reading == EuclideanReading::kNone ? distance * distance
                                                                      : distance);
        }
    }
    if (reading == EuclideanReading::kSqrt || reading == EuclideanReading::kNone ||
        is_euclidean(values.cells, n)) {
        return values;
    }
    values.corrected = true;
    if (reading == EuclideanReading::kLingoes) {
        values.constant = -gower_eigenvalues(values.cells, n, 0.0).smallest;
        for (double& value : values.cells) {
            value += 2.0 * values.constant;
        }
        return values;
    }
    std::vector<double> roots(values.cells.size());
    for (std::size_t i = 0; i < roots.size(); ++i) {
        roots[i] = std::sqrt(values.cells[i]);
    }
    values.constant = cailliez_constant(roots, n);
    for (std::size_t i = 0; i < roots.size(); ++i) {
        values.cells[i] = (roots[i] + values.constant) * (roots[i] + values.constant);
    }
    return values;
}

}  // namespace kelvane
