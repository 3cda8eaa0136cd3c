// Numbers as figures and reports show them, formatted without the locale so that the same value
// gives the same bytes everywhere: coordinates, tick labels and table values.
#pragma once

#include <string>

namespace clonal::plot {

// A coordinate or length in pixels: at most two decimals, no trailing zeros, never "-0".
std::string pixels(double value);

// value with exactly the given number of decimals (0 to 300), never "-0": a tick label. With more
// than four decimals or ten digits before the point, the value with its power of ten instead:
// 2.5e-5, 1e9; zero is then "0".
std::string fixed_decimals(double value, int decimals);

// A real in a table a person reads: six significant digits, trailing zeros dropped, "NA" for a
// value that is not a number, "Inf" and "-Inf"; plain notation from 1e-4 up to below 1e15.
std::string readable_real(double value);

}  // namespace clonal::plot
