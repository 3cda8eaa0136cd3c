// The simple AMOVA as the commands and the report show it: why it cannot run, its table, and the
// figure of its permutation test.
#pragma once

#include <span>

#include "common/text/result_table.hpp"
#include "kelvane/amova/amova_permutations.hpp"
#include "kelvane/amova/amova_sample.hpp"
#include "plot/figure.hpp"

namespace kelvane {

// source (within, among, total), df, ss, variance, percent, phi_st, p, p_smaller: Phi-st and its
// p-values in the row among populations, NA in the others.
clonal::ResultTable amova_result_table(const AmovaTable& table, const AmovaPermutationTest& test);

// The distribution of the permuted Phi-st in bars and the observed Phi-st as a line.
clonal::plot::Figure amova_figure(double observed, std::span<const double> permuted);

}  // namespace kelvane
