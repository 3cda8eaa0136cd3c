// Figures written as SVG: a document of its own, or an element inside an HTML page. The same
// figure always gives the same bytes. Elements carry classes that name what they show (bar,
// point, series, band, reference, pie, edge, legend-entry, tick-label, axis-title), so that
// tests and style sheets can find them.
#pragma once

#include <ostream>

#include "plot/figure.hpp"
#include "plot/markup_writer.hpp"

namespace clonal::plot {

// A standalone SVG document.
void write_svg(const Figure& figure, std::ostream& out);

// The <svg> element alone, for a page being written.
void write_svg_element(const Figure& figure, MarkupWriter& markup);

}  // namespace clonal::plot
