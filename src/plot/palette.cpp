// The series styles.
#include "plot/palette.hpp"

#include <algorithm>
#include <array>
#include <cmath>

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

std::string series_fill(std::size_t i) {
    if (i < kDistinctColours) {
        return std::string(series_style(i).colour);
    }
    return "url(#hatch-" + std::to_string(i) + ")";
}

std::optional<std::size_t> hatched_series(std::string_view fill) {
    constexpr std::string_view kStart = "url(#hatch-";
    if (!fill.starts_with(kStart) || !fill.ends_with(")")) {
        return std::nullopt;
    }
    const std::string_view digits = fill.substr(kStart.size(), fill.size() - kStart.size() - 1);
    std::size_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return digits.empty() ? std::nullopt : std::optional<std::size_t>(value);
}

int hatch_angle(std::size_t i) {
    constexpr std::array<int, 4> kAngles{45, -45, 0, 90};
    return kAngles[(i / kDistinctColours - 1) % kAngles.size()];
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

std::string sequential_colour(double share) {
    constexpr std::array<int, 3> kLight{0xf7, 0xfb, 0xff};
    constexpr std::array<int, 3> kDark{0x08, 0x30, 0x6b};
    const double t = std::isfinite(share) ? std::clamp(share, 0.0, 1.0) : 0.0;
    std::string colour = "#";
    constexpr char kHex[] = "0123456789abcdef";
    for (std::size_t c = 0; c < 3; ++c) {
        const auto value = static_cast<int>(
            std::lround(kLight[c] + t * static_cast<double>(kDark[c] - kLight[c])));
        colour += kHex[value / 16];
        colour += kHex[value % 16];
    }
    return colour;
}

}  // namespace clonal::plot
