// The look of a data series: a colour from a palette that colour-blind readers tell apart (the
// Okabe-Ito colours, without the yellow that vanishes on white), with a dash pattern and a
// marker shape that tell the series apart in black and white as well.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace clonal::plot {

enum class Dash { kSolid, kDashed, kDotted, kDashDot };
enum class Marker { kCircle, kSquare, kTriangle, kDiamond, kCross };

struct SeriesStyle {
    std::string_view colour;
    Dash dash;
    Marker marker;
};

// The style of series number i (from 0). Colours repeat after 12 series, dash patterns after 4
// and markers after 5, so that neighbouring series differ in all three and 20 series differ in
// dash and marker together.
SeriesStyle series_style(std::size_t i);

// The number of series told apart by colour alone.
inline constexpr std::size_t kDistinctColours = 12;

// What fills an area of series i (a bar, a slice of a pie, a legend box): its colour for the
// first kDistinctColours series, beyond them the same colours hatched with white stripes (at 45,
// -45, 0 and 90 degrees in turn), as "url(#hatch-i)".
std::string series_fill(std::size_t i);

// The series of a hatched fill, or nothing for a plain colour.
std::optional<std::size_t> hatched_series(std::string_view fill);

// The stripe angle of the hatching of series i (kDistinctColours or more), in degrees.
int hatch_angle(std::size_t i);

// The colour of a share from 0 to 1 on a sequential scale from near white to dark blue, evenly
// spaced in each of red, green and blue ("#rrggbb"); shares outside are taken as 0 or 1.
std::string sequential_colour(double share);

// Ink for text, axes and the reference lines the reader chose.
inline constexpr std::string_view kInk = "#000000";
// Grid lines and frames that must stay in the background.
inline constexpr std::string_view kFaint = "#d9d9d9";

// The stroke-dasharray value of a dash pattern at a line width ("" for a solid line).
std::string_view dash_array(Dash dash);

}  // namespace clonal::plot
