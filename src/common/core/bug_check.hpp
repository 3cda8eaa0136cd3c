// A check of a state the code rules out ("cannot happen"). It stays on in release builds: when it
// fails, the program names the file, the line and the condition on standard error and aborts,
// instead of going on with wrong numbers.
#pragma once

namespace clonal {

[[noreturn]] void bug_check_failed(const char* condition, const char* file, int line);

}  // namespace clonal

#define CLONAL_BUG_CHECK(condition)     \
    ((condition) ? static_cast<void>(0) \
                 : ::clonal::bug_check_failed(#condition, __FILE__, __LINE__))
