// Numbers at the start of a piece of text.
#include "common/text/number_text.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "common/text/characters.hpp"

namespace clonal {
namespace {

std::size_t digit_run(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && is_digit(text[end])) {
        ++end;
    }
    return end - from;
}

std::size_t sign_length(std::string_view text) {
    return (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
}

}  // namespace

std::size_t real_length(std::string_view text) {
    std::size_t pos = sign_length(text);
    const std::size_t whole = digit_run(text, pos);
    pos += whole;
    std::size_t fraction = 0;
    if (pos < text.size() && text[pos] == '.') {
        fraction = digit_run(text, pos + 1);
        if (whole + fraction > 0) {
            pos += 1 + fraction;
        }
    }
    if (whole + fraction == 0) {
        return 0;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        exponent += sign_length(text.substr(exponent));
        const std::size_t digits = digit_run(text, exponent);
        if (digits > 0) {
            pos = exponent + digits;
        }
    }
    return pos;
}

namespace {

// The value of a run of digits, held at 2^31 + 1 once it passes the 32-bit range.
int64_t capped_magnitude(std::string_view digits) {
    constexpr int64_t kCap = int64_t{INT32_MAX} + 2;
    int64_t value = 0;
    for (const char c : digits) {
        value = std::min(value * 10 + (c - '0'), kCap);
    }
    return value;
}

}  // namespace

std::size_t integer_length(std::string_view text) {
    const std::size_t sign = sign_length(text);
    const std::size_t digits = digit_run(text, sign);
    return digits == 0 ? 0 : sign + digits;
}

std::optional<int32_t> digits_value(std::string_view digits) {
    const int64_t value = capped_magnitude(digits);
    if (value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

std::optional<int32_t> leading_int(std::string_view text) {
    const std::size_t length = integer_length(text);
    if (length == 0) {
        return std::nullopt;
    }
    const std::size_t sign = sign_length(text);
    int64_t value = capped_magnitude(text.substr(sign, length - sign));
    if (sign == 1 && text[0] == '-') {
        value = -value;
    }
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

std::optional<double> leading_double(std::string_view text) {
    const std::size_t length = real_length(text);
    if (length == 0) {
        return std::nullopt;
    }
    const std::string number(text.substr(0, length));
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int32_t> whole_int(std::string_view text) {
    if (text.empty() || integer_length(text) != text.size()) {
        return std::nullopt;
    }
    return leading_int(text);
}

std::optional<double> whole_double(std::string_view text) {
    if (text.empty() || real_length(text) != text.size()) {
        return std::nullopt;
    }
    return leading_double(text);
}

std::optional<float> leading_float(std::string_view text) {
    const std::size_t length = real_length(text);
    if (length == 0) {
        return std::nullopt;
    }
    const std::string number(text.substr(0, length));
    const float value = std::strtof(number.c_str(), nullptr);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace clonal
