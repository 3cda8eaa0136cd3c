// How wide a text will be on screen, estimated without the font: the layout of a figure (margins,
// tick spacing, legend width) is decided from it. The estimate follows the advance widths of
// DejaVu Sans, the widest of the fonts the figures name, so that a narrower font only adds space.
#pragma once

#include <string>
#include <string_view>

namespace clonal::plot {

// The width in pixels of text set at the given font size.
double text_width(std::string_view text, double font_size);

// text itself when it fits into max_width, else its longest beginning that fits with "…"
// appended (whole UTF-8 characters only).
std::string fit_text(std::string_view text, double max_width, double font_size);

}  // namespace clonal::plot
