// The suggested thresholds as lines of the distance figures.
#include "kelvane/figures/evidence/suggestion_marks.hpp"

namespace kelvane {

std::vector<SuggestedThreshold> suggested_marks(const analysis::Suggestions& suggestions) {
    std::vector<SuggestedThreshold> marks;
    if (suggestions.gap) {
        marks.push_back({"largest-gap", static_cast<double>(suggestions.gap->low)});
    }
    if (suggestions.floor) {
        marks.push_back({"sexual-floor", static_cast<double>(suggestions.floor->low)});
    }
    if (suggestions.automatic) {
        marks.push_back({"auto", suggestions.automatic->threshold});
    }
    return marks;
}

}  // namespace kelvane
