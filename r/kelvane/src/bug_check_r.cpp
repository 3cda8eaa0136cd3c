// A failed bug check inside R: an R error naming the broken condition, where the programs print
// and stop, since a package may neither write to the console itself nor end the R session.
#include <stdexcept>
#include <string>

#include "common/core/bug_check.hpp"

namespace clonal {

void bug_check_failed(const char* condition, const char* file, int line) {
    throw std::logic_error(std::string("internal error at ") + file + ":" + std::to_string(line) +
                           ": " + condition + " does not hold; please report this");
}

}  // namespace clonal
