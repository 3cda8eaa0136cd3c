// The smallest and the largest eigenvalue of a real symmetric matrix: Householder reduction to
// tridiagonal form, then bisection on Sturm counts (Golub and Van Loan, 8.3 and 8.4), in time
// O(n^3) for the reduction and O(n) per bisection step.
#pragma once

#include <vector>

namespace kelvane {

struct ExtremeEigenvalues {
    double smallest = 0.0;
    double largest = 0.0;
};

// matrix: n x n, row after row, symmetric; it is overwritten.
ExtremeEigenvalues extreme_eigenvalues(std::vector<double>& matrix, int n);

}  // namespace kelvane
