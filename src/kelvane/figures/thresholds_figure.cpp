// The figure of the thresholds.
#include "kelvane/figures/thresholds_figure.hpp"

namespace kelvane {
namespace {

// Beyond this many changes the markers would hide the line.
constexpr std::size_t kMostMarkers = 200;

}  // namespace

clonal::plot::Figure thresholds_figure(std::span<const ThresholdCount> counts,
                                       const std::string& unit, const ThresholdMarks& marks) {
    using namespace clonal::plot;
    Figure figure;
    figure.title = "Clonal genotypes against the threshold";
    figure.description =
        "The number of clonal genotypes when individuals at a distance at or below the "
        "threshold are joined, from threshold 0 to the first threshold that leaves one.";
    Panel panel;
    panel.x.title = "Threshold (" + unit + ")";
    panel.x.include_zero = true;
    panel.x.integers = true;
    panel.y.title = "Clonal genotypes (count)";
    panel.y.include_zero = true;
    panel.y.integers = true;
    Line line{{}, "clonal genotypes", 0, true, counts.size() <= kMostMarkers};
    for (const ThresholdCount& count : counts) {
        line.points.push_back(
            {static_cast<double>(count.threshold), static_cast<double>(count.genotypes)});
    }
    panel.add(std::move(line));
    add_threshold_lines(panel, marks);
    figure.add_panel(std::move(panel));
    return figure;
}

}  // namespace kelvane
