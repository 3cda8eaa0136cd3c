// The separator line of the dialogues.
#include "common/dialogue/separator.hpp"

namespace clonal {

void print_separator(std::ostream& out) {
    out << "\n    " << kRule << "\n\n";
}

}  // namespace clonal
