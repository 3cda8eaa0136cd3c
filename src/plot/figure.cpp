// The legend of a figure from its labelled marks.
#include "plot/figure.hpp"

#include <algorithm>
#include <iterator>
#include <type_traits>

namespace clonal::plot {
namespace {

std::optional<LegendEntry> entry_of(const Mark& mark) {
    return std::visit(
        [](const auto& m) -> std::optional<LegendEntry> {
            using M = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<M, Bars>) {
                return LegendEntry{m.label, Swatch::kBox, series_fill(m.series)};
            } else if constexpr (std::is_same_v<M, Line>) {
                const SeriesStyle style = series_style(m.series);
                return LegendEntry{m.label, m.markers ? Swatch::kLineAndMarker : Swatch::kLine,
                                   std::string(style.colour), style.dash, style.marker};
            } else if constexpr (std::is_same_v<M, Points>) {
                const SeriesStyle style = series_style(m.series);
                return LegendEntry{m.label, Swatch::kMarker,
                                   m.colour.empty() ? std::string(style.colour) : m.colour,
                                   Dash::kSolid, style.marker};
            } else if constexpr (std::is_same_v<M, Band>) {
                return LegendEntry{m.label, Swatch::kBox, series_fill(m.series)};
            } else if constexpr (std::is_same_v<M, ReferenceLine>) {
                return LegendEntry{m.label, Swatch::kLine, m.colour, m.dash};
            } else {
                return std::nullopt;
            }
        },
        mark);
}

bool same_entry(const LegendEntry& a, const LegendEntry& b) {
    return a.label == b.label && a.swatch == b.swatch && a.colour == b.colour && a.dash == b.dash &&
           a.marker == b.marker;
}

}  // namespace

std::vector<LegendEntry> legend_entries(const Figure& figure) {
    std::vector<LegendEntry> entries;
    std::copy_if(figure.legend.begin(), figure.legend.end(), std::back_inserter(entries),
                 [](const LegendEntry& e) { return e.swatch != Swatch::kNone; });
    for (const Panel& panel : figure.panels) {
        for (const Mark& mark : panel.marks) {
            const auto entry = entry_of(mark);
            if (!entry || entry->label.empty()) {
                continue;
            }
            const bool known =
                std::any_of(entries.begin(), entries.end(),
                            [&](const LegendEntry& e) { return same_entry(e, *entry); });
            if (!known) {
                entries.push_back(*entry);
            }
        }
    }
    std::copy_if(figure.legend.begin(), figure.legend.end(), std::back_inserter(entries),
                 [](const LegendEntry& e) { return e.swatch == Swatch::kNone; });
    return entries;
}

}  // namespace clonal::plot
