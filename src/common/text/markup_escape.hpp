// Text from the data made safe inside XML and HTML (SVG figures, HTML reports, GraphML
// networks): nothing a name holds can become markup or make the document unreadable.
#pragma once

#include <string>
#include <string_view>

namespace clonal {

// The text with &, <, >, " and ' as character references, and every byte that is not part of
// valid UTF-8 and every control character that XML forbids replaced by U+FFFD: safe as element
// text and as a quoted attribute value, in XML and in HTML alike.
std::string escape_markup(std::string_view text);

}  // namespace clonal
