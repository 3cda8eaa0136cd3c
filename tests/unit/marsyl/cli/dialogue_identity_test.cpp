// Every command of marsyl's command line against the dialogue doing the same analysis on the same
// data with the same seeds: the same indices, p-values, jackknife limits and FSTAT file.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/text/printf.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/dialogue/marsyl_program.hpp"
#include "support/scratch_folder.hpp"
#include "support/tables.hpp"

namespace marsyl::cli {
namespace {

using testing_support::run_command;
using testing_support::tab_rows;

// Four populations of different sizes whose genotypes overlap, with a singleton population.
std::string clonal_file() {
    std::mt19937 generator(5);
    std::string text = "Four sites\n4\nLake River Bay Isle\n";
    const int sizes[] = {14, 9, 20, 1};
    for (int p = 0; p < 4; ++p) {
        for (int i = 0; i < sizes[p]; ++i) {
            const int genotype = std::uniform_int_distribution<int>(1, 4 + 3 * p)(generator);
            text += clonal::format("%d %d\n", p + 1, genotype);
        }
    }
    return text;
}

// The report of a dialogue that loads the data, sets the seeds and runs one menu choice.
std::string report_of(const testing_support::ScratchFolder& scratch, const std::string& choice) {
    std::istringstream in(scratch.path("clonal.txt") + "\n" + scratch.path("report.txt") +
                          "\n8\n1234\n5678\n\n" + choice + "9\n");
    std::ostringstream console;
    std::ostringstream errors;
    EXPECT_EQ(dialogue::run_marsyl_for_tests(in, console, errors), 0) << console.str();
    const std::string report = scratch.content("report.txt");
    std::filesystem::remove(scratch.path("report.txt"));
    return report;
}

// The report's lines that start with one of the names given, from the line holding the heading.
std::vector<std::vector<std::string>> report_rows(const std::string& report,
                                                  const std::string& heading) {
    const auto rows = tab_rows(report.substr(report.find(heading)));
    std::vector<std::vector<std::string>> found;
    for (const auto& row : rows) {
        for (const char* name : {"Lake", "River", "Bay", "Isle"}) {
            if (row[0] == name) {
                found.push_back(row);
            }
        }
    }
    return found;
}

std::string six_decimals(const std::string& value) {
    return value == "NA" ? "nan" : clonal::format("%f", std::stod(value));
}

std::vector<std::vector<std::string>> command_rows(const testing_support::ScratchFolder& scratch,
                                                   std::vector<std::string> arguments) {
    arguments.insert(arguments.begin() + 1, scratch.path("clonal.txt"));
    const auto run = run_command(run_marsyl_command_line, arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    auto rows = tab_rows(run.out);
    rows.erase(rows.begin());
    return rows;
}

// NaN prints with or without its sign bit; the sign is no part of the result.
// The dialogue prints the sign of NaN and of zero as the arithmetic leaves them; the tables
// write neither.
std::string unsigned_nan(std::string value) {
    if (value == "-0.000000") {
        return "0.000000";
    }
    return value == "-nan" ? "nan" : value;
}

TEST(MarsylCommandLine, EveryCommandGivesWhatTheDialogueGives) {
    const testing_support::ScratchFolder scratch("marsyl-identity");
    scratch.write("clonal.txt", clonal_file());

    // Indices: population, n, then gen (%.0f) and the rest (%f).
    const auto indices = command_rows(scratch, {"indices"});
    const auto indices_report = report_rows(report_of(scratch, "1\n\n"), "INDICES");
    ASSERT_EQ(indices.size(), 4u);
    ASSERT_EQ(indices_report.size(), 4u);
    for (std::size_t p = 0; p < indices.size(); ++p) {
        EXPECT_EQ(indices[p][1], indices_report[p][1]);
        EXPECT_EQ(clonal::format("%.0f", std::stod(indices[p][2])), indices_report[p][2]);
        for (std::size_t k = 3; k < indices[p].size(); ++k) {
            // diu of one individual: the table defines it, 1 - 1^2 = 0, where the dialogue's
            // arithmetic gives nan.
            if (indices[p][1] == "1" && k + 1 == indices[p].size()) {
                EXPECT_EQ(indices[p][k], "0");
                EXPECT_EQ(unsigned_nan(indices_report[p][k]), "nan");
                continue;
            }
            EXPECT_EQ(six_decimals(indices[p][k]), unsigned_nan(indices_report[p][k])) << p << k;
        }
    }

    const std::vector<std::string> seeds{"--permutations", "40", "--seed", "1234,5678"};
    const auto with_seeds = [&seeds](std::string command) {
        std::vector<std::string> arguments{std::move(command)};
        arguments.insert(arguments.end(), seeds.begin(), seeds.end());
        return arguments;
    };
    const auto bootstrap = command_rows(scratch, with_seeds("bootstrap"));
    const auto bootstrap_report = report_rows(report_of(scratch, "2\n40\nn\n\n"), "BOOTSTRAP");
    ASSERT_EQ(bootstrap.size(), 6u);
    ASSERT_EQ(bootstrap_report.size(), 6u);
    for (std::size_t pair = 0; pair < bootstrap.size(); ++pair) {
        for (std::size_t k = 0; k < 14; ++k) {
            const std::string value = k < 2 ? bootstrap[pair][k] : six_decimals(bootstrap[pair][k]);
            EXPECT_EQ(value, bootstrap_report[pair][k]) << pair << " " << k;
        }
    }

    // Differentiation: the report's lower triangle, row by row, against one row per pair.
    const auto differentiation = command_rows(scratch, with_seeds("differentiation"));
    const auto triangle = report_rows(report_of(scratch, "3\n40\nn\n\n"), "DIFFERENTIATION");
    std::vector<std::string> from_report;
    for (const auto& row : triangle) {
        for (std::size_t j = 1; j + 1 < row.size(); ++j) {
            from_report.push_back(row[0] + " " + row[j]);
        }
    }
    std::vector<std::string> from_command;
    for (const auto& row : differentiation) {
        from_command.push_back(row[0] + " " + six_decimals(row[2]));
    }
    ASSERT_EQ(from_command.size(), 6u);
    EXPECT_EQ(from_command, from_report);

    // Jackknife: each population's rows by subsample size, mean, low and up of every index.
    const auto jackknife = command_rows(scratch, with_seeds("jackknife"));
    const std::string jackknife_report = report_of(scratch, "4\n40\n\n");
    std::vector<std::string> report_values;
    for (const auto& row : tab_rows(jackknife_report.substr(jackknife_report.find("JACKKNIFE")))) {
        if (!row.empty() && !row[0].empty() &&
            std::isdigit(static_cast<unsigned char>(row[0][0])) && row.size() == 19) {
            report_values.push_back(row[0]);
            // The tables leave out the limits of an index without a mean.
            for (std::size_t k = 1; k + 2 < row.size(); k += 3) {
                const bool undefined = unsigned_nan(row[k]) == "nan";
                for (std::size_t m = k; m < k + 3; ++m) {
                    report_values.push_back(undefined ? "nan" : unsigned_nan(row[m]));
                }
            }
        }
    }
    std::vector<std::string> command_values;
    for (const auto& row : jackknife) {
        if (row[3] == "NA" && row[4] == "NA") {
            continue;  // the whole sample's row, which the report writes in its own layout
        }
        command_values.push_back(row[1]);
        for (std::size_t k = 2; k < row.size(); ++k) {
            command_values.push_back(six_decimals(row[k]));
        }
    }
    ASSERT_FALSE(report_values.empty());
    EXPECT_EQ(command_values, report_values);

    const auto fstat = run_command(run_marsyl_command_line, {"fstat", scratch.path("clonal.txt"),
                                                             "--out", scratch.path("cli.dat")});
    EXPECT_EQ(fstat.status, 0);
    report_of(scratch, "6\n" + scratch.path("dialogue.dat") + "\n\n");
    EXPECT_EQ(scratch.content("cli.dat"), scratch.content("dialogue.dat"));
    EXPECT_FALSE(scratch.content("cli.dat").empty());
}

}  // namespace
}  // namespace marsyl::cli
