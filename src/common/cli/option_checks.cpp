// Option values read in full and held to their ranges.
#include "common/cli/option_checks.hpp"

#include <charconv>
#include <optional>

#include "common/core/setting_ranges.hpp"
#include "common/text/number_text.hpp"

namespace clonal::cli {

CLI::Validator setting_check(std::string_view key, bool whole_only) {
    SettingRange range = setting_range(key);
    range.whole = range.whole || whole_only;
    const std::string words = range_words(range);
    return CLI::Validator(
        [range, words](std::string& text) -> std::string {
            std::optional<double> value;
            if (range.whole) {
                int64_t whole = 0;
                const char* end = text.data() + text.size();
                const auto [stop, error] = std::from_chars(text.data(), end, whole);
                if (!text.empty() && stop == end && error == std::errc()) {
                    value = static_cast<double>(whole);
                }
            } else {
                value = whole_double(text);
            }
            if (!value || !in_range(range, *value)) {
                return "takes " + words + ", not '" + text + "'";
            }
            return {};
        },
        // The help shows the bounds after the type: "INT from 1 to 100,000,000".
        (range.whole ? "INT " : "REAL ") + words.substr(words.find("number ") + 7));
}

}  // namespace clonal::cli
