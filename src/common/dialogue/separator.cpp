// The separator line of the dialogues.
#include "common/dialogue/separator.hpp"

namespace clonal {

void print_separator(std::ostream& out) {
    out << "\n    " << kRule << "\n\n";
}

void print_banner(std::ostream& out, const std::string& title, const char* program) {
    out << "\n    " << kRule << "\n\n               " << title
        << "\n\n                      population genetics of clonal organisms"
        << "\n                        run '" << program << " --help' for help"
        << "\n\n    " << kRule << "\n";
}

}  // namespace clonal
