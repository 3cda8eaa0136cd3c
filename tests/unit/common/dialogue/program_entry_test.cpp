#include "common/dialogue/program_entry.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "common/core/fatal_error.hpp"

namespace clonal {
namespace {

const ProgramInfo kInfo{"tool", "3.4", "tool: what it does\n"};

// The library's errors carry a plain sentence; the dialogue leads it with the word the error
// asks for and prints it on its stream.
TEST(RunReportingFatalErrors, PrintsTheSentenceInItsWordingOnItsStreamAndGivesStatusOne) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(run_reporting_fatal_errors([] { return 0; }, out, err), 0);
    const auto fails = [&](const FatalError& error) {
        return run_reporting_fatal_errors([&]() -> int { throw error; }, out, err);
    };
    EXPECT_EQ(fails(FatalError("on the console")), 1);
    EXPECT_EQ(fails(FatalError("in a word").printed(ErrorStream::kConsole, ErrorLead::kWord)), 1);
    EXPECT_EQ(fails(FatalError("{setting} set, too large", ErrorKind::kSetting, "size")), 1);
    EXPECT_EQ(fails(MemoryError("to the error stream\n")
                        .printed(ErrorStream::kErrorStream, ErrorLead::kNone)),
              1);
    EXPECT_EQ(out.str(), "ERROR: on the consoleERROR in a wordERROR: size set, too large");
    EXPECT_EQ(err.str(), "to the error stream\n");
}

// Working arrays that the run names have their own messages; memory that runs out anywhere else
// still ends the run with a message and status 1 instead of an abort.
TEST(RunReportingFatalErrors, MemoryRunningOutAnywhereEndsTheRunWithAMessage) {
    for (const auto& dialogue : std::vector<std::function<int()>>{
             []() -> int { throw std::bad_alloc(); },
             []() -> int { throw std::length_error("vector::reserve"); }}) {
        std::ostringstream out("earlier output", std::ios::ate);
        std::ostringstream err;
        EXPECT_EQ(run_reporting_fatal_errors(dialogue, out, err), 1);
        EXPECT_EQ(out.str(), "earlier outputERROR: malloc failed, more memory needed");
        EXPECT_EQ(err.str(), "");
    }
}

// The console transcript is what a scripted run leaves: when it could not be written (standard
// output on a full disk), the run did not succeed.
TEST(FinishOutput, AnOutputThatCouldNotBeWrittenFailsTheRun) {
    std::ostringstream written;
    std::ostringstream err;
    written << "transcript";
    EXPECT_EQ(finish_output(written, err, kInfo, 0), 0);
    EXPECT_EQ(finish_output(written, err, kInfo, 1), 1);
    EXPECT_EQ(err.str(), "");

    std::ostream lost(nullptr);
    lost << "transcript";
    EXPECT_EQ(finish_output(lost, err, kInfo, 0), 1);
    EXPECT_EQ(err.str(), "tool: could not write to standard output\n");
    EXPECT_EQ(finish_output(lost, err, kInfo, 1), 1);
}

}  // namespace
}  // namespace clonal
