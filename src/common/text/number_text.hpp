// Numbers at the start of a piece of text, read the way the C library's formatted input reads
// them, but with a defined outcome for every text: no number, or a number that does not fit, is
// reported as such instead of being left undefined.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace clonal {

// Length of the decimal integer (optional sign, then at least one digit) at the start of text,
// or 0 when text does not start with one.
std::size_t integer_length(std::string_view text);

// Length of the decimal real (optional sign, digits with an optional point, optional exponent)
// at the start of text, or 0.
std::size_t real_length(std::string_view text);

// The decimal integer (optional sign, digits) at the start of text; nothing when text does not
// start with one or when its value does not fit 32 bits.
std::optional<int32_t> leading_int(std::string_view text);

// The same, but only when the whole text is that one integer (no trailing text).
std::optional<int32_t> whole_int(std::string_view text);

// The value of a run of decimal digits (no sign); nothing when it does not fit 32 bits.
std::optional<int32_t> digits_value(std::string_view digits);

// The decimal real number (optional sign, digits with an optional point, optional exponent) at
// the start of text, as double or single precision rounded once from the decimal text; nothing
// when text does not start with one or its value is not finite.
std::optional<double> leading_double(std::string_view text);
std::optional<float> leading_float(std::string_view text);
// The double of a text that is one decimal real in full (no trailing text); nothing otherwise,
// and nothing for a value that is not finite.
std::optional<double> whole_double(std::string_view text);

}  // namespace clonal
