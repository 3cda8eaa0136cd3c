// printf-style output onto C++ streams: every quoted message and table format of the programs is
// written once as a literal and printed through these helpers, so the compiler checks each
// directive against its arguments.
#pragma once

#include <cmath>
#include <cstdarg>
#include <limits>
#include <ostream>
#include <string>

#define CLONAL_PRINTF_FORMAT(fmt_index, first_arg) \
    __attribute__((format(printf, fmt_index, first_arg)))

namespace clonal {

// The text that std::vprintf would print for fmt and the argument list.
std::string vformat(const char* fmt, std::va_list args);

// The text that std::printf would print for fmt and the arguments.
std::string format(const char* fmt, ...) CLONAL_PRINTF_FORMAT(1, 2);

// Writes the text that std::printf would print for fmt and the arguments onto os.
void print(std::ostream& os, const char* fmt, ...) CLONAL_PRINTF_FORMAT(2, 3);

// A value for printing: a result that is not a number prints as "nan" on every platform and
// with every compiler, whatever sign bit the arithmetic happened to leave on it.
inline double printable(double value) {
    return std::isnan(value) ? std::numeric_limits<double>::quiet_NaN() : value;
}

}  // namespace clonal
