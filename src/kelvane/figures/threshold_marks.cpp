// Threshold lines.
#include "kelvane/figures/threshold_marks.hpp"

#include <array>

#include "plot/number_format.hpp"

namespace kelvane {

void add_threshold_lines(clonal::plot::Panel& panel, const ThresholdMarks& marks) {
    using clonal::plot::Dash;
    using clonal::plot::ReferenceLine;
    // Each suggestion in a colour and dash of its own, the reader's choice solid black.
    constexpr std::array<Dash, 2> kSuggestionDashes{Dash::kDashed, Dash::kDotted};
    for (std::size_t k = 0; k < marks.suggested.size(); ++k) {
        const SuggestedThreshold& suggestion = marks.suggested[k];
        panel.add(
            ReferenceLine{suggestion.threshold, "suggested (" + suggestion.method + ")",
                          k < kSuggestionDashes.size() ? kSuggestionDashes[k] : Dash::kDashDot,
                          std::string(clonal::plot::series_style(1 + k).colour)});
    }
    if (marks.chosen) {
        panel.add(ReferenceLine{*marks.chosen,
                                "threshold " + clonal::plot::readable_real(*marks.chosen),
                                Dash::kSolid, std::string(clonal::plot::kInk)});
    }
}

}  // namespace kelvane
