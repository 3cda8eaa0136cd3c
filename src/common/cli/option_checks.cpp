// Option values read in full and held to their ranges.
#include "common/cli/option_checks.hpp"

#include <charconv>
#include <sstream>

#include "common/text/number_text.hpp"

namespace clonal::cli {
namespace {

// 100000000 as 100,000,000.
std::string grouped(int64_t value) {
    std::string digits = std::to_string(value < 0 ? -(value + 1) + 1 : value);
    if (value < 0 && value == INT64_MIN) {
        digits = "9223372036854775808";
    }
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return (value < 0 ? "-" : "") + digits;
}

std::string real_words(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

}  // namespace

std::string range_words(int64_t low, int64_t high) {
    if (high == INT64_MAX) {
        return "of " + grouped(low) + " or more";
    }
    return "from " + grouped(low) + " to " + grouped(high);
}

CLI::Validator whole_number(int64_t low, int64_t high) {
    const std::string words = range_words(low, high);
    return CLI::Validator(
        [low, high, words](std::string& text) -> std::string {
            int64_t value = 0;
            const char* end = text.data() + text.size();
            const auto [stop, error] = std::from_chars(text.data(), end, value);
            if (text.empty() || stop != end || error == std::errc::invalid_argument) {
                return "takes a whole number " + words + ", not '" + text + "'";
            }
            if (error == std::errc::result_out_of_range || value < low || value > high) {
                return "takes a whole number " + words + "; " + text + " is out of range";
            }
            return {};
        },
        "INT " + words);
}

CLI::Validator real_number(double low, double high) {
    const std::string words = "from " + real_words(low) + " to " + real_words(high);
    return CLI::Validator(
        [low, high, words](std::string& text) -> std::string {
            const auto value = whole_double(text);
            if (!value) {
                return "takes a number " + words + ", not '" + text + "'";
            }
            if (*value < low || *value > high) {
                return "takes a number " + words + "; " + text + " is out of range";
            }
            return {};
        },
        "REAL " + words);
}

CLI::Validator positive_real() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const auto value = whole_double(text);
            if (!value || !(*value > 0.0)) {
                return "takes a number greater than 0, not '" + text + "'";
            }
            return {};
        },
        "REAL > 0");
}

CLI::Validator nonnegative_real() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const auto value = whole_double(text);
            if (!value || !(*value >= 0.0)) {
                return "takes a number of 0 or more, not '" + text + "'";
            }
            return {};
        },
        "REAL >= 0");
}

}  // namespace clonal::cli
