// Running a piece of a program in a child process whose address space is limited, so that an
// allocation beyond the limit fails there as it fails on a machine without that much memory,
// while the test process itself stays untouched. The child's console output comes back through
// a pipe together with its exit status.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>

namespace memory_limit {

// The address sanitizer reserves far more address space than any limit a test could set.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kUnderAddressSanitizer = true;
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif

struct LimitedRun {
    int status = -1;     // the exit status, or 128 + the signal that ended the child
    std::string output;  // everything the body wrote on the stream it was given
};

// The address space this process holds now, in bytes; 0 when it cannot be told.
inline std::size_t address_space_in_use() {
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    if (!(statm >> pages)) {
        return 0;
    }
    return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Runs body in a child process whose address space may grow by at most headroom bytes beyond
// what this process holds. Nothing when no child could be run under such a limit.
inline std::optional<LimitedRun> run_with_memory_limit(
    std::size_t headroom, const std::function<int(std::ostream& out)>& body) {
    constexpr int kNoLimit = 77;
    constexpr int kEscaped = 78;
    const std::size_t in_use = address_space_in_use();
    int pipe_ends[2];
    if (in_use == 0 || pipe(pipe_ends) != 0) {
        return std::nullopt;
    }
    const pid_t child = fork();
    if (child < 0) {
        close(pipe_ends[0]);
        close(pipe_ends[1]);
        return std::nullopt;
    }
    if (child == 0) {
        close(pipe_ends[0]);
        const rlimit limit{in_use + headroom, in_use + headroom};
        if (setrlimit(RLIMIT_AS, &limit) != 0) {
            _exit(kNoLimit);
        }
        int status = kEscaped;
        std::ostringstream out;
        try {
            status = body(out);
        } catch (...) {
            out << "<exception escaped the run>";
        }
        const std::string text = out.str();
        for (std::size_t written = 0; written < text.size();) {
            const ssize_t piece = write(pipe_ends[1], text.data() + written, text.size() - written);
            if (piece <= 0) {
                break;
            }
            written += static_cast<std::size_t>(piece);
        }
        // No exit handlers and no stream flushes of the test process run in the child.
        _exit(status);
    }
    close(pipe_ends[1]);
    LimitedRun run;
    char buffer[4096];
    for (ssize_t got = 0; (got = read(pipe_ends[0], buffer, sizeof buffer)) > 0;) {
        run.output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipe_ends[0]);
    int wait_status = 0;
    if (waitpid(child, &wait_status, 0) != child) {
        return std::nullopt;
    }
    if (WIFEXITED(wait_status)) {
        run.status = WEXITSTATUS(wait_status);
        if (run.status == kNoLimit) {
            return std::nullopt;
        }
    } else if (WIFSIGNALED(wait_status)) {
        run.status = 128 + WTERMSIG(wait_status);
    }
    return run;
}

using Program = std::function<int(std::istream& in, std::ostream& out, std::ostream& err)>;

// Runs a whole program on the answers under the memory limit; its console and error output
// together are the output. Nothing when no limit can be set.
inline std::optional<LimitedRun> run_program_with_memory_limit(std::size_t headroom,
                                                               const Program& program,
                                                               const std::string& answers) {
    return run_with_memory_limit(headroom, [&](std::ostream& out) {
        std::istringstream in(answers);
        std::ostringstream err;
        const int status = program(in, out, err);
        out << err.str();
        return status;
    });
}

inline bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The room the child may take beyond what the test process holds.
inline constexpr std::size_t kHeadroom = std::size_t{1} << 30;

// Tests of whole runs under the limit; they skip themselves under the address sanitizer.
class LimitedRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (kUnderAddressSanitizer) {
            GTEST_SKIP() << "the address sanitizer needs more address space than the limit";
        }
    }
};

}  // namespace memory_limit
