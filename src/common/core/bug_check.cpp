// Reporting a failed bug check.
#include "common/core/bug_check.hpp"

#include <cstdio>
#include <cstdlib>

namespace clonal {

void bug_check_failed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "internal error at %s:%d: %s does not hold; please report this\n", file,
                 line, condition);
    std::fflush(stderr);
    std::abort();
}

}  // namespace clonal
