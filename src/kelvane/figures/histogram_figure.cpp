// The figure of the histogram.
#include "kelvane/figures/histogram_figure.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "common/text/tsv_writer.hpp"
#include "plot/number_format.hpp"

namespace kelvane {

clonal::plot::Figure histogram_figure(const analysis::DistanceHistogram& histogram,
                                      const std::string& unit, const ThresholdMarks& marks) {
    using namespace clonal::plot;
    const double width = histogram.width;
    const int64_t pairs =
        std::accumulate(histogram.counts.begin(), histogram.counts.end(), int64_t{0});
    Figure figure;
    figure.title = "Distances between pairs of individuals";
    figure.description = std::to_string(pairs) + " pairs in " +
                         std::to_string(histogram.counts.size() - 1) +
                         " distance classes of width " + readable_real(width) + " " + unit +
                         " up to " + clonal::distance_text(histogram.max_distance) +
                         ", and the pairs at distance 0 in a bar left of 0.";
    Panel panel;
    panel.x.title = "Distance (" + unit + ")";
    panel.x.low = -width;
    panel.x.nice = false;
    panel.x.first_tick = 0.0;
    // Ticks on the edges of the bars when the classes are whole numbers wide.
    if (width >= 1.0 && width == std::floor(width) && width < 1e15) {
        panel.x.tick_unit = static_cast<int64_t>(width);
    }
    panel.y.title = "Pairs (count)";
    panel.y.include_zero = true;
    panel.y.integers = true;
    Bars identical{{}, "pairs at distance 0", 1};
    Bars classes{{}, "pairs in a class (from, to]", 0};
    for (std::size_t k = 0; k < histogram.counts.size(); ++k) {
        const auto count = static_cast<double>(histogram.counts[k]);
        if (k == 0) {
            identical.bars.push_back({-width, 0.0, count});
        } else {
            classes.bars.push_back(
                {static_cast<double>(k - 1) * width, static_cast<double>(k) * width, count});
        }
    }
    panel.add(identical).add(classes);
    if (pairs == 0) {
        panel.add(Note{"No pairs of individuals to count."});
    }
    if (histogram.beyond > 0) {
        figure.legend.push_back(key_line(beyond_text(histogram)));
        figure.description += " " + beyond_text(histogram) + ".";
    }
    // A threshold beyond the last class would stretch the axis over distances whose pairs are
    // not counted: it is named in a note instead of drawn.
    ThresholdMarks within = marks;
    const double max_distance = histogram.max_distance;
    std::vector<std::string> beyond;
    if (within.chosen && *within.chosen > max_distance) {
        beyond.push_back("threshold " + readable_real(*within.chosen));
        within.chosen.reset();
    }
    std::erase_if(within.suggested, [&](const SuggestedThreshold& suggestion) {
        if (suggestion.threshold > max_distance) {
            beyond.push_back("suggested (" + suggestion.method + ") " +
                             readable_real(suggestion.threshold));
            return true;
        }
        return false;
    });
    for (const std::string& mark : beyond) {
        figure.legend.push_back(
            key_line(mark + " lies beyond " + clonal::distance_text(histogram.max_distance)));
    }
    add_threshold_lines(panel, within);
    figure.add_panel(std::move(panel));
    return figure;
}

}  // namespace kelvane
