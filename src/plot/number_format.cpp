// Locale-free number formatting with std::to_chars.
#include "plot/number_format.hpp"

#include <charconv>
#include <cmath>

#include "common/core/bug_check.hpp"

namespace clonal::plot {
namespace {

std::string chars(double value, std::chars_format format, int precision) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    CLONAL_BUG_CHECK(result.ec == std::errc());
    return std::string(buffer, result.ptr);
}

void drop_trailing_zeros(std::string& text) {
    if (text.find('.') == std::string::npos) {
        return;
    }
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
}

// "-0", "-0.00" and the like become their unsigned form.
void unsign_zero(std::string& text) {
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
}

}  // namespace

std::string pixels(double value) {
    CLONAL_BUG_CHECK(std::isfinite(value));
    std::string text = chars(value, std::chars_format::fixed, 2);
    drop_trailing_zeros(text);
    unsign_zero(text);
    return text;
}

std::string fixed_decimals(double value, int decimals) {
    CLONAL_BUG_CHECK(std::isfinite(value) && decimals >= 0 && decimals <= 300);
    // Beyond four decimals, or with ten digits before the point, a label is written with its
    // power of ten.
    constexpr int kMostDecimals = 4;
    const double rounded = std::round(value * std::pow(10.0, decimals));
    if (rounded == 0.0) {
        return decimals > kMostDecimals ? "0" : chars(0.0, std::chars_format::fixed, decimals);
    }
    if (std::fabs(value) >= 1e9 || decimals > kMostDecimals) {
        std::string text = chars(value, std::chars_format::scientific, 3);
        // 1.000e+09 -> 1e9, 2.500e-05 -> 2.5e-5
        const std::size_t e = text.find('e');
        std::string mantissa = text.substr(0, e);
        drop_trailing_zeros(mantissa);
        const int exponent = std::stoi(text.substr(e + 1));
        return mantissa + "e" + std::to_string(exponent);
    }
    std::string text = chars(value, std::chars_format::fixed, decimals);
    unsign_zero(text);
    return text;
}

std::string readable_real(double value) {
    if (std::isnan(value)) {
        return "NA";
    }
    if (std::isinf(value)) {
        return value > 0 ? "Inf" : "-Inf";
    }
    const double size = std::fabs(value);
    if (size == 0.0) {
        return "0";
    }
    if (size >= 1e15 || size < 1e-4) {
        std::string text = chars(value, std::chars_format::scientific, 5);
        const std::size_t e = text.find('e');
        std::string mantissa = text.substr(0, e);
        drop_trailing_zeros(mantissa);
        return mantissa + "e" + std::to_string(std::stoi(text.substr(e + 1)));
    }
    // Six significant digits: as many decimals as the digits left after the integer part.
    const int integer_digits = static_cast<int>(std::floor(std::log10(size))) + 1;
    const int decimals = integer_digits >= 6 ? 0 : 6 - integer_digits;
    std::string text = chars(value, std::chars_format::fixed, decimals);
    drop_trailing_zeros(text);
    unsign_zero(text);
    return text;
}

}  // namespace clonal::plot
