// The rule of 68 hyphens that both programs print between the parts of their dialogues, and the
// banner it frames at the start of a run.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "common/dialogue/dialogue_only.hpp"

namespace clonal {

inline constexpr std::string_view kRule =
    "--------------------------------------------------------------------";

// A line end, four blanks, the rule and two line ends.
void print_separator(std::ostream& out);

// The banner: the rule, the title line (what follows its indentation), the field, the hint to
// the program's --help, and the rule again.
void print_banner(std::ostream& out, const std::string& title, const char* program);

}  // namespace clonal
