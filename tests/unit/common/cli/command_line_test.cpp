// The run of a command line: option values read in full and held to ranges named in words, error
// lines that a data file cannot turn into terminal commands, and help that reports a failed write.
#include "common/cli/command_line.hpp"

#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "common/cli/choice_option.hpp"
#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"

namespace clonal::cli {
namespace {

struct Outcome {
    std::ostringstream out;
    std::ostringstream err;
    int status = 0;
};

enum class Rule { kFirst, kSecond };
constexpr std::array<NamedChoice<Rule>, 2> kRules{
    {{Rule::kFirst, "first"}, {Rule::kSecond, "second"}}};

// A program with one command, "go", whose --count and --rate are checked and whose action fails
// with a message of the data.
Outcome run(const std::vector<std::string>& arguments, std::ostream* out = nullptr) {
    static const CommandList commands{
        {"go", "fails with a message of the data", [](CLI::App& command) {
             static int count = 0;
             static double rate = 0.0;
             command.add_option("--count", count)->check(setting_check("draws"));
             command.add_option("--rate", rate)->check(setting_check("alpha"));
             static Rule rule = Rule::kFirst;
             command.add_option("--rule", rule)->transform(choice_words<Rule>(kRules));
             return [](const Terminal&) { throw DataError("name \x1b[2J\a in line 2"); };
         }}};
    const ProgramInfo info{"prog", "1.0", "a test program"};
    Outcome result;
    const Terminal terminal{out != nullptr ? *out : result.out, result.err, false};
    result.status = run_command_line(info, commands, arguments, terminal);
    return result;
}

// The options take their ranges from the table the analyses check against, in the same words.
TEST(CommandLine, OptionValuesAreReadInFullAndTheirRangesNamedInWords) {
    EXPECT_EQ(run({"go", "--count", "0"}).err.str(),
              "prog: error: --count: takes a whole number from 1 to 100,000,000, not '0'\n");
    EXPECT_EQ(run({"go", "--count", "2abc"}).err.str(),
              "prog: error: --count: takes a whole number from 1 to 100,000,000, not '2abc'\n");
    for (const char* bad : {"1.5", "100000001", "99999999999999999999"}) {
        EXPECT_EQ(run({"go", "--count", bad}).status, kUsageFailure) << bad;
    }
    for (const char* bad : {"nan", "inf", "0.5x", "-0.1", "1e308"}) {
        const Outcome refused = run({"go", "--rate", bad});
        EXPECT_EQ(refused.status, kUsageFailure) << bad;
        EXPECT_NE(refused.err.str().find("takes a number from 0 to 1"), std::string::npos) << bad;
    }
    EXPECT_NE(run({"go", "--count", "100000000", "--rate", "1", "--rule", "second"})
                  .err.str()
                  .find("name"),
              std::string::npos);
    // Words of a setting's table: the list in the error, and the values' numbers are no words.
    for (const char* bad : {"third", "1"}) {
        EXPECT_EQ(run({"go", "--rule", bad}).err.str(),
                  std::string("prog: error: --rule: takes first or second, not '") + bad + "'\n");
    }
}

// Seeds the generator cannot use are refused: 0 stays 0 for ever, and a seed beyond the
// generator's modulus (or below 1) is not one of its states.
TEST(CommandLine, SeedsOutsideTheGeneratorsRangeAreRefused) {
    EXPECT_EQ(parse_seeds({"1,2"}), std::make_pair(1, 2));
    EXPECT_EQ(parse_seeds({"2147483562,2147483398"}), std::make_pair(2147483562, 2147483398));
    EXPECT_EQ(parse_seeds({""}), std::nullopt);
    for (const char* bad : {"0,0", "0,5", "5,0", "-1,5", "2147483563,5", "5,2147483399",
                            "4294967295,1", "1", "1,2,3", "1,x"}) {
        EXPECT_THROW(parse_seeds({bad}), UsageError) << bad;
    }
}

TEST(CommandLine, ErrorLinesShowControlCharactersAsEscapes) {
    const Outcome failed = run({"go", "--rate", "0.5"});
    EXPECT_EQ(failed.status, kDataFailure);
    EXPECT_EQ(failed.err.str(), "prog: error: name \\x1b[2J\\x07 in line 2\n");
}

TEST(CommandLine, AMistypedCommandNamesTheClosest) {
    const Outcome mistyped = run({"og", "--rate", "0.5"});
    EXPECT_EQ(mistyped.status, kUsageFailure);
    EXPECT_EQ(mistyped.err.str(),
              "prog: error: 'og' is not a command; did you mean 'go'? (run 'prog --help' for the "
              "list)\n");
    EXPECT_EQ(run({"distances"}).err.str(),
              "prog: error: 'distances' is not a command (run 'prog --help' for the list)\n");
}

TEST(CommandLine, HelpAndVersionThatCannotBeWrittenFail) {
    std::ostream nowhere(nullptr);  // every write fails, as on a full disk
    EXPECT_EQ(run({"--help"}, &nowhere).status, kDataFailure);
    EXPECT_EQ(run({"--version"}, &nowhere).status, kDataFailure);
    EXPECT_EQ(run({"--version"}).status, 0);
}

}  // namespace
}  // namespace clonal::cli
