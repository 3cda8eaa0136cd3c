// The table of numeric settings and their ranges.
#include "common/core/setting_ranges.hpp"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

#include "common/core/fatal_error.hpp"
#include "common/core/random.hpp"

namespace clonal {
namespace {

constexpr double kNoEnd = std::numeric_limits<double>::infinity();
constexpr double kLargestInt = 2147483647.0;
// Every permutation, simulation or draw is made, so their numbers are bounded where a run would
// last for days.
constexpr double kMostDraws = 1e8;

// key, whole, low, above low, high, below high, meaning
constexpr std::array kRanges{
    SettingRange{"threads", true, 0, false, kLargestInt, false, "0: every core"},
    SettingRange{"threshold", false, 0, false, kNoEnd, false, {}},
    SettingRange{"permutations", true, 0, false, kMostDraws, false, {}},
    SettingRange{"draws", true, 1, false, kMostDraws, false, {}},
    SettingRange{"psex.simulations", true, 0, false, kMostDraws, false, {}},
    SettingRange{"suggest.simulations", true, 0, false, 1e7, false, {}},
    SettingRange{"fraction", false, 0, true, 1, false, {}},
    SettingRange{"alpha", false, 0, false, 1, false, {}},
    SettingRange{"histogram.classes", true, 2, false, 100000, false, {}},
    SettingRange{"max_distance", false, 0, true, kNoEnd, false, {}},
    SettingRange{"spatial.classes", true, 1, false, 10000, false, {}},
    SettingRange{"ploidy", true, 1, false, kLargestInt, false, {}},
    SettingRange{"structure_rows", true, 1, false, kLargestInt, false, {}},
    SettingRange{"min_call_rate", false, 0, false, 1, false, {}},
    SettingRange{"matrix_scale", false, 0, true, kNoEnd, false, {}},
    SettingRange{"min_shared_loci", true, 1, false, kLargestInt, false, {}},
    SettingRange{"min_kinship", false, -kNoEnd, false, 0.5, false, {}},
    SettingRange{"resampling.permutations", true, 1, false, kLargestInt, false, {}},
    SettingRange{"subsamples", true, 1, false, kLargestInt, false, {}},
    SettingRange{"rarefy", true, 0, false, kLargestInt, false,
                 "0: the smallest population, but at least 10"},
    SettingRange{"ci", true, 2, false, kMostDraws, false, {}},
    SettingRange{"ci_level", false, 0, true, 1, true, {}},
    // The level of R's intervals, in percent as poppr's diversity_ci takes it.
    SettingRange{"percent.ci", false, 0, true, 100, true, {}},
};

// 100000000 as 100,000,000.
std::string grouped(int64_t value) {
    const std::string digits = std::to_string(value);
    const std::size_t first = value < 0 ? 1 : 0;
    std::string text = digits.substr(0, first);
    for (std::size_t at = first; at < digits.size(); ++at) {
        if (at > first && (digits.size() - at) % 3 == 0) {
            text.push_back(',');
        }
        text.push_back(digits[at]);
    }
    return text;
}

std::string bound_text(double value, bool whole) {
    return whole ? grouped(static_cast<int64_t>(value)) : setting_value_text(value);
}

}  // namespace

std::string_view SettingRange::setting() const {
    const std::size_t dot = key.find('.');
    return dot == std::string_view::npos ? key : key.substr(dot + 1);
}

std::span<const SettingRange> setting_ranges() {
    return kRanges;
}

const SettingRange& setting_range(std::string_view key) {
    for (const SettingRange& range : kRanges) {
        if (range.key == key) {
            return range;
        }
    }
    throw std::logic_error("no setting range named " + std::string(key));
}

bool in_range(const SettingRange& range, double value) {
    if (std::isnan(value) || (range.whole && value != std::floor(value))) {
        return false;
    }
    const bool above = range.above_low ? value > range.low : value >= range.low;
    const bool below = range.below_high ? value < range.high : value <= range.high;
    return above && below && std::isfinite(value);
}

std::string range_words(const SettingRange& range) {
    std::string words = range.whole ? "a whole number " : "a number ";
    const std::string low = std::isinf(range.low) ? "" : bound_text(range.low, range.whole);
    if (std::isinf(range.low)) {
        words +=
            (range.below_high ? "below " : "of at most ") + bound_text(range.high, range.whole);
    } else if (std::isinf(range.high)) {
        words += range.above_low ? "above " + low : "of " + low + " or more";
    } else {
        const std::string high = bound_text(range.high, range.whole);
        if (!range.above_low && !range.below_high) {
            words += "from " + low + " to " + high;
        } else {
            words += (range.above_low ? "above " : "from ") + low +
                     (range.below_high ? " and below " : " and at most ") + high;
        }
    }
    if (!range.meaning.empty()) {
        words += " (" + std::string(range.meaning) + ")";
    }
    return words;
}

std::string setting_value_text(double value) {
    if (std::isnan(value)) {
        return "NA";
    }
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        return std::to_string(static_cast<int64_t>(value));
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

void check_setting(std::string_view key, double value) {
    const SettingRange& range = setting_range(key);
    if (!in_range(range, value)) {
        throw SettingError(
            "{setting} takes " + range_words(range) + ", not " + setting_value_text(value),
            std::string(range.setting()));
    }
}

bool seeds_in_range(double first, double second) {
    const auto seed = [](double value, int32_t largest) {
        return value >= 1 && value <= largest && value == std::floor(value);
    };
    return seed(first, Random::kLargestSeed1) && seed(second, Random::kLargestSeed2);
}

std::string seeds_words() {
    return "two whole numbers, the first from 1 to " + grouped(Random::kLargestSeed1) +
           " and the second from 1 to " + grouped(Random::kLargestSeed2) +
           " (the generator's range)";
}

}  // namespace clonal
