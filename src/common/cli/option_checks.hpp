// Checks of option values against the table of setting ranges: a whole number or a real given in
// full (no trailing text, no NaN or infinity) and within the setting's range, refused in the
// words the analyses and the R functions use.
#pragma once

#include <CLI/CLI.hpp>
#include <string_view>

namespace clonal::cli {

// The value of an option read in full and held to the range of the setting named key in the
// table; whole_only for an option held in an integer whose setting may be real elsewhere.
CLI::Validator setting_check(std::string_view key, bool whole_only = false);

}  // namespace clonal::cli
