// Checks of option values, with messages that name the range in words: a whole number or a real
// given in full (no trailing text, no NaN or infinity) and within its range.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>

namespace clonal::cli {

// A whole number from low to high (by default the largest 32-bit value).
CLI::Validator whole_number(int64_t low, int64_t high = INT32_MAX);

// A finite real from low to high.
CLI::Validator real_number(double low, double high);

// A finite real greater than 0.
CLI::Validator positive_real();

// A real number of 0 or more (a threshold on distances).
CLI::Validator nonnegative_real();

// The range in words: "from 1 to 100,000,000", "of 0 or more".
std::string range_words(int64_t low, int64_t high);

}  // namespace clonal::cli
