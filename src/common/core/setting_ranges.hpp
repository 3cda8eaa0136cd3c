// The ranges of the numeric settings, in one table that every face reads: the analyses check
// their settings against it, the command line's options and the R functions' arguments are
// checked against the same rows, and all three say the range in the same words.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace clonal {

struct SettingRange {
    // The row's name. It is the setting's own name, unless a setting has a different range in
    // different analyses: then "analysis.setting" (the classes of the histogram and of the
    // spatial analyses).
    std::string_view key;
    bool whole = true;  // whole numbers only
    double low = 0.0;
    bool above_low = false;  // low itself is outside the range
    double high = 0.0;       // infinity: no upper bound
    bool below_high = false;
    std::string_view meaning;  // what a special value means, or empty: "0: every core"

    // The setting as errors name it: the key without its analysis.
    [[nodiscard]] std::string_view setting() const;
};

// Every row, in the table's order.
std::span<const SettingRange> setting_ranges();

// The row of a key; a key that is not in the table is a fault of the caller (std::logic_error).
const SettingRange& setting_range(std::string_view key);

// Whether a value is in the range: a number (not NaN), whole where the range is, within bounds.
bool in_range(const SettingRange& range, double value);

// The range in words: "a whole number from 1 to 100,000,000", "a number above 0 and at most 1",
// "a number of 0 or more", with the meaning in brackets where there is one.
std::string range_words(const SettingRange& range);

// A value as the error shows it: whole values without a decimal point, NaN as NA.
std::string setting_value_text(double value);

// Throws a SettingError naming the setting, "{setting} takes <range words>, not <value>", when
// the value is outside the key's range.
void check_setting(std::string_view key, double value);

// The generator's seeds: two whole numbers, each from 1 to its modulus less one.
bool seeds_in_range(double first, double second);
// "two whole numbers, the first from 1 to 2,147,483,562 and the second ..."
std::string seeds_words();

}  // namespace clonal
