// p-values corrected for the number of tests made together: Holm's step-down correction of the
// family-wise error rate and Benjamini and Hochberg's false discovery rate, as R's p.adjust
// computes them.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace clonal {

enum class PAdjustment { kNone, kHolm, kBenjaminiHochberg };

// "none", "holm", "bh"; nothing for another word.
std::optional<PAdjustment> p_adjustment_named(std::string_view name);

// The corrected p-values in the order given. A value that is not a number stays so and is not
// counted among the tests.
std::vector<double> adjusted_p_values(std::span<const double> p, PAdjustment adjustment);

}  // namespace clonal
