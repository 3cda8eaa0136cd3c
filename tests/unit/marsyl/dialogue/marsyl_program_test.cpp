// The program around the dialogue: its command line, and the local clock it is given.
#include "marsyl/dialogue/marsyl_program.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "marsyl/cli/marsyl_cli.hpp"
#include "support/scratch_folder.hpp"

namespace marsyl::dialogue {
namespace {

namespace fs = std::filesystem;

int arguments_status(const std::vector<std::string>& arguments, std::string& out,
                     std::string& err) {
    std::ostringstream out_stream;
    std::ostringstream err_stream;
    const int status = cli::run_marsyl_command_line(arguments, {out_stream, err_stream, false});
    out = out_stream.str();
    err = err_stream.str();
    return status;
}

TEST(MarsylProgram, CommandLine) {
    std::string out;
    std::string err;
    EXPECT_EQ(arguments_status({"--version"}, out, err), 0);
    EXPECT_EQ(out, "marsyl 1.1\n");
    EXPECT_EQ(arguments_status({"--help"}, out, err), 0);
    EXPECT_EQ(out.rfind("marsyl 1.1: ", 0), 0u);
    EXPECT_NE(out.find("bootstrap"), std::string::npos);
    EXPECT_EQ(arguments_status({"--seed"}, out, err), 2);
    EXPECT_EQ(err.rfind("marsyl: error: ", 0), 0u);
    EXPECT_EQ(arguments_status({"bootstrap", "x.txt", "--seed", "1"}, out, err), 2);
    EXPECT_EQ(err,
              "marsyl: error: --seed takes two whole numbers, the first from 1 to 2,147,483,562 "
              "and the second from 1 to 2,147,483,398 (the generator's range), as S1,S2, not "
              "'1'\n");
}

TEST(MarsylProgram, ReportHeaderTakesItsDateFromTheClockGiven) {
    const testing_support::ScratchFolder scratch("marsyl-program");
    const std::string data = scratch.path("data.txt");
    const std::string report = scratch.path("report.txt");
    scratch.write("data.txt", "New year\n1\nA\n1 1\n1 2\n");
    const auto new_year = [] {
        std::tm time{};
        time.tm_year = 2025 - 1900;
        time.tm_mday = 1;
        time.tm_wday = 3;
        time.tm_hour = 7;
        time.tm_min = 5;
        time.tm_sec = 9;
        return time;
    };
    std::istringstream in(data + "\n" + report + "\n9\n");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(run_marsyl(in, out, err, new_year), 0);
    const std::string text = testing_support::file_content(report);
    EXPECT_NE(text.find("\nOutput generated: Wed, Jan. 01, 07:05:09\ninput file: "),
              std::string::npos)
        << text;
    EXPECT_EQ(err.str(), "");
}

TEST(MarsylProgram, TestClockIsTheDocumentedMoment) {
    const std::tm time = test_local_time();
    char text[64];
    std::strftime(text, sizeof text, "%a, %b. %d, %H:%M:%S %Y, day %j", &time);
    EXPECT_STREQ(text, "Tue, Apr. 09, 10:15:30 2024, day 100");
}

}  // namespace
}  // namespace marsyl::dialogue
