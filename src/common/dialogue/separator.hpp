// The rule of 68 hyphens that both programs print between the parts of their dialogues.
#pragma once

#include <ostream>
#include <string_view>

#include "common/dialogue/dialogue_only.hpp"

namespace clonal {

inline constexpr std::string_view kRule =
    "--------------------------------------------------------------------";

// A line end, four blanks, the rule and two line ends.
void print_separator(std::ostream& out);

}  // namespace clonal
