// The input file prompt of both programs: the name is asked until a file can be read, and a
// name without a three-letter extension is offered again with ".txt" appended.
#pragma once

#include <string>

#include "common/dialogue/console.hpp"
#include "common/dialogue/dialogue_only.hpp"

namespace clonal {

struct InputFile {
    std::string name;     // as finally opened
    std::string content;  // the whole file
};

enum class AfterOffer { kNothing, kLineEnd };

// Asks "Give name of input file: " until a file is read. after_offer says whether a line end is
// printed after the answer to the ".txt" offer.
InputFile open_input_file(Console& console, AfterOffer after_offer);

}  // namespace clonal
