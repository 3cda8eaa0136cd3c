// Extreme eigenvalues of a symmetric matrix.
#include "kelvane/amova/symmetric_eigenvalues.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace kelvane {
namespace {

struct Tridiagonal {
    std::vector<double> diagonal;
    std::vector<double> off;  // off[k] couples rows k and k + 1
};

// Householder reflections applied from both sides zero column k below its subdiagonal, for k = 0
// to n - 3; only the trailing block is updated, as a symmetric rank-two change. The matrix is
// read from its lower triangle.
Tridiagonal tridiagonal(std::vector<double>& a, int n) {
    const auto at = [&](int i, int j) -> double& {
        return a[static_cast<std::size_t>(i) * static_cast<std::size_t>(n) +
                 static_cast<std::size_t>(j)];
    };
    Tridiagonal t;
    t.diagonal.resize(static_cast<std::size_t>(n));
    t.off.assign(static_cast<std::size_t>(std::max(n - 1, 0)), 0.0);
    std::vector<double> v(static_cast<std::size_t>(n));
    std::vector<double> p(static_cast<std::size_t>(n));
    for (int k = 0; k + 2 < n; ++k) {
        double norm = 0.0;
        for (int i = k + 1; i < n; ++i) {
            norm = std::hypot(norm, at(i, k));
        }
        if (norm == 0.0) {
            continue;
        }
        const double alpha = at(k + 1, k) > 0.0 ? -norm : norm;
        for (int i = k + 1; i < n; ++i) {
            v[static_cast<std::size_t>(i)] = at(i, k);
        }
        v[static_cast<std::size_t>(k + 1)] -= alpha;
        double vv = 0.0;
        for (int i = k + 1; i < n; ++i) {
            vv += v[static_cast<std::size_t>(i)] * v[static_cast<std::size_t>(i)];
        }
        if (vv == 0.0) {
            continue;
        }
        // p = A v * 2 / v'v, then w = p - (v'p / v'v) v; A -= v w' + w v'. Only the lower
        // triangle is read and written, row by row.
        const double scale = 2.0 / vv;
        std::fill(p.begin() + k + 1, p.end(), 0.0);
        for (int i = k + 1; i < n; ++i) {
            const double* row = &at(i, 0);
            const double vi = v[static_cast<std::size_t>(i)];
            double sum = row[i] * vi;
            for (int j = k + 1; j < i; ++j) {
                sum += row[j] * v[static_cast<std::size_t>(j)];
                p[static_cast<std::size_t>(j)] += row[j] * vi;
            }
            p[static_cast<std::size_t>(i)] += sum;
        }
        double vp = 0.0;
        for (int i = k + 1; i < n; ++i) {
            p[static_cast<std::size_t>(i)] *= scale;
            vp += v[static_cast<std::size_t>(i)] * p[static_cast<std::size_t>(i)];
        }
        const double half = vp / vv;
        for (int i = k + 1; i < n; ++i) {
            p[static_cast<std::size_t>(i)] -= half * v[static_cast<std::size_t>(i)];
        }
        for (int i = k + 1; i < n; ++i) {
            const double vi = v[static_cast<std::size_t>(i)];
            const double pi = p[static_cast<std::size_t>(i)];
            double* row = &at(i, 0);
            for (int j = k + 1; j <= i; ++j) {
                row[j] -= vi * p[static_cast<std::size_t>(j)] + pi * v[static_cast<std::size_t>(j)];
            }
        }
        at(k + 1, k) = alpha;
    }
    for (int i = 0; i < n; ++i) {
        t.diagonal[static_cast<std::size_t>(i)] = at(i, i);
        if (i + 1 < n) {
            t.off[static_cast<std::size_t>(i)] = at(i + 1, i);
        }
    }
    return t;
}

// The number of eigenvalues below x (Sturm count of the LDL' pivots).
int count_below(const Tridiagonal& t, double x) {
    int count = 0;
    double pivot = 1.0;
    const double tiny = std::numeric_limits<double>::min();
    for (std::size_t i = 0; i < t.diagonal.size(); ++i) {
        const double coupling = i == 0 ? 0.0 : t.off[i - 1];
        pivot = t.diagonal[i] - x - (i == 0 ? 0.0 : coupling * coupling / pivot);
        if (pivot == 0.0) {
            pivot = -tiny;
        }
        if (pivot < 0.0) {
            ++count;
        }
    }
    return count;
}

// The eigenvalue of rank k (from 0, ascending) by bisection within the Gershgorin bounds.
double eigenvalue_of_rank(const Tridiagonal& t, int k, double low, double high) {
    while (true) {
        const double middle = low + (high - low) / 2.0;
        if (middle <= low || middle >= high) {
            return middle;
        }
        if (count_below(t, middle) > k) {
            high = middle;
        } else {
            low = middle;
        }
    }
}

}  // namespace

ExtremeEigenvalues extreme_eigenvalues(std::vector<double>& matrix, int n) {
    if (n == 0) {
        return {};
    }
    const Tridiagonal t = tridiagonal(matrix, n);
    double low = INFINITY;
    double high = -INFINITY;
    for (std::size_t i = 0; i < t.diagonal.size(); ++i) {
        const double radius = (i > 0 ? std::fabs(t.off[i - 1]) : 0.0) +
                              (i < t.off.size() ? std::fabs(t.off[i]) : 0.0);
        low = std::min(low, t.diagonal[i] - radius);
        high = std::max(high, t.diagonal[i] + radius);
    }
    const double margin = std::max(1.0, std::fabs(low) + std::fabs(high)) * 1e-12;
    low -= margin;
    high += margin;
    return {eigenvalue_of_rank(t, 0, low, high), eigenvalue_of_rank(t, n - 1, low, high)};
}

}  // namespace kelvane
