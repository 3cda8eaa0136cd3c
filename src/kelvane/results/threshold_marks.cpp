// Threshold lines.
#include "kelvane/results/threshold_marks.hpp"

#include "plot/number_format.hpp"

namespace kelvane {

void add_threshold_lines(clonal::plot::Panel& panel, const ThresholdMarks& marks) {
    using clonal::plot::Dash;
    using clonal::plot::ReferenceLine;
    // The suggestions in a colour of their own and dashed, the reader's choice in black.
    for (const SuggestedThreshold& suggestion : marks.suggested) {
        panel.add(ReferenceLine{suggestion.threshold, "suggested (" + suggestion.method + ")",
                                Dash::kDashed, std::string(clonal::plot::series_style(1).colour)});
    }
    if (marks.chosen) {
        panel.add(ReferenceLine{*marks.chosen,
                                "threshold " + clonal::plot::readable_real(*marks.chosen),
                                Dash::kSolid, std::string(clonal::plot::kInk)});
    }
}

}  // namespace kelvane
