// What a program says about itself: its name as typed, its version and the text of its help.
#pragma once

#include <string>

namespace clonal {

struct ProgramInfo {
    std::string name;     // as typed on the command line, e.g. "kelvane"
    std::string version;  // e.g. "1.2"
    std::string help;     // what the program does and how it is run
};

}  // namespace clonal
