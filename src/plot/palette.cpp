// The series styles.
#include "plot/palette.hpp"

#include <array>

namespace clonal::plot {
namespace {

// Okabe and Ito's colours, ordered so that neighbours differ most in lightness as well, then
// five of Tol's that stay apart from them (wine, olive, brown, indigo, sand): twelve series (the
// populations of a network's pies) before a colour comes again.
constexpr std::array<std::string_view, 12> kColours{"#0072B2", "#D55E00", "#009E73", "#CC79A7",
                                                    "#E69F00", "#56B4E9", "#000000", "#882255",
                                                    "#999933", "#8C510A", "#332288", "#DDCC77"};
constexpr std::array<Dash, 4> kDashes{Dash::kSolid, Dash::kDashed, Dash::kDotted, Dash::kDashDot};
constexpr std::array<Marker, 5> kMarkers{Marker::kCircle, Marker::kSquare, Marker::kTriangle,
                                         Marker::kDiamond, Marker::kCross};

}  // namespace

SeriesStyle series_style(std::size_t i) {
    return {kColours[i % kColours.size()], kDashes[i % kDashes.size()],
            kMarkers[i % kMarkers.size()]};
}

std::string_view dash_array(Dash dash) {
    switch (dash) {
        case Dash::kDashed:
            return "6 4";
        case Dash::kDotted:
            return "1.5 3";
        case Dash::kDashDot:
            return "8 3 2 3";
        case Dash::kSolid:
            break;
    }
    return "";
}

}  // namespace clonal::plot
