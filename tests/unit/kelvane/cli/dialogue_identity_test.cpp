// Every command of kelvane's command line against the dialogue doing the same work on the same
// data with the same settings and seeds: the same matrix, genotypes, histogram and AMOVA.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/text/printf.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/dialogue/kelvane_program.hpp"
#include "support/scratch_folder.hpp"
#include "support/tables.hpp"

namespace kelvane::cli {
namespace {

using testing_support::run_command;
using testing_support::tab_rows;

// Clonal marker data: a few founders per population, their ramets with the odd mutation and
// missing copy. Three digits per allele, the ploidy given, 3 populations.
std::string clonal_markers(int ploidy, unsigned seed) {
    std::mt19937 generator(seed);
    const auto uniform = [&generator](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(generator);
    };
    constexpr int kLoci = 5;
    constexpr int kIndividuals = 36;
    std::string text = "Ramets of three sites\n";
    text += clonal::format("%d 3 %d %d 3\nEast West North\n", kIndividuals, kLoci, ploidy);
    std::vector<std::vector<int>> founders;
    for (int f = 0; f < 6; ++f) {
        std::vector<int> copies;
        for (int c = 0; c < kLoci * ploidy; ++c) {
            copies.push_back(uniform(100, 112));
        }
        founders.push_back(copies);
    }
    for (int i = 0; i < kIndividuals; ++i) {
        std::vector<int> copies = founders[static_cast<std::size_t>(uniform(0, 5))];
        for (int& copy : copies) {
            const int roll = uniform(0, 29);
            copy = roll == 0 ? 0 : roll == 1 ? copy + 1 : copy;
        }
        text += clonal::format("%d i%d", 1 + i % 3, i);
        for (int k = 0; k < kLoci; ++k) {
            text += ' ';
            for (int c = 0; c < ploidy; ++c) {
                text += clonal::format("%03d", copies[static_cast<std::size_t>(k * ploidy + c)]);
            }
        }
        text += '\n';
    }
    return text;
}

struct Setting {
    std::vector<std::string> options;  // the model options of the command line
    std::string menu_answers;          // the distance menu's answers for the same model
};

const std::vector<Setting> kSettings{
    {{}, "2\n1\n"},
    {{"--missing", "3"}, "2\n2\n3\n"},
    {{"--missing", "average"}, "2\n2\n-1\n"},
    {{"--distance", "squared"}, "2\n3\n"},
    {{"--distance", "squared", "--missing", "2"}, "2\n4\n2\n"},
    {{"--distance", "two-phase"}, "2\n5\n"},
    {{"--distance", "two-phase", "--missing", "infinite"}, "2\n6\n"},
    {{"--distance", "two-phase", "--missing", "2", "--multiplier", "10.5", "--base", "1.7"},
     "2\n7\n2\n10.5\n1.7\n"},
    {{"--distance", "infinite-allele"}, "3\n1\n"},
    {{"--distance", "infinite-allele", "--missing", "one-mutation"}, "3\n2\n"},
    {{"--distance", "infinite-allele", "--missing", "2"}, "3\n3\n2\n"},
};

std::vector<std::string> with(std::vector<std::string> arguments,
                              const std::vector<std::string>& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

// The thresholds at which the number of genotypes changes, and 0, from the big genotypes file.
std::vector<std::vector<std::string>> changes_of_big_file(const std::string& text) {
    const auto rows = tab_rows(text);
    std::vector<std::vector<std::string>> changes{{"threshold", "genotypes"}};
    int previous = -1;
    for (std::size_t column = 1; column + 1 < rows[0].size(); ++column) {
        int genotypes = 0;
        for (std::size_t row = 1; row < rows.size(); ++row) {
            genotypes = std::max(genotypes, std::stoi(rows[row][column]));
        }
        if (genotypes != previous) {
            changes.push_back({rows[0][column], std::to_string(genotypes)});
            previous = genotypes;
        }
    }
    return changes;
}

// The lines of the dialogue's AMOVA table and its p-values, as it prints them.
std::vector<std::string> amova_lines(const std::string& console) {
    std::vector<std::string> lines;
    std::istringstream in(console);
    for (std::string line; std::getline(in, line);) {
        for (const char* start : {"Within pops:", "Among pops:", "Total:", "Phi-st:", "p("}) {
            if (line.rfind(start, 0) == 0) {
                lines.push_back(line);
            }
        }
    }
    return lines;
}

// The same lines from the command's table, formatted as the dialogue formats them.
std::vector<std::string> amova_lines_of(const std::string& tsv) {
    const auto rows = tab_rows(tsv);
    const auto value = [&rows](int row, int column) {
        return std::stod(rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
    };
    std::vector<std::string> lines;
    lines.push_back(clonal::format("Within pops:   %6.2f  %6d       %6.2f       %2.1f", value(1, 2),
                                   std::stoi(rows[1][1]), value(1, 3), value(1, 4)));
    lines.push_back(clonal::format("Among pops:    %6.2f  %6d       %6.2f       %2.1f", value(2, 2),
                                   std::stoi(rows[2][1]), value(2, 3), value(2, 4)));
    lines.push_back(clonal::format("Total:         %6.2f  %6d       %6.2f", value(3, 2),
                                   std::stoi(rows[3][1]), value(3, 3)));
    lines.push_back(clonal::format("Phi-st:        %5.3f", value(2, 5)));
    lines.push_back(clonal::format("p(greater):  %0.4f", value(2, 6)));
    if (value(2, 5) <= 0) {
        lines.push_back(clonal::format("p(smaller):  %0.3f", value(2, 7)));
    }
    return lines;
}

void expect_same_results(const std::string& markers, const Setting& setting) {
    const testing_support::ScratchFolder scratch("kelvane-identity");
    scratch.write("data.txt", markers);
    const std::string data = scratch.path("data.txt");
    constexpr const char* kThreshold = "3";
    const std::string answers =
        data + "\n" + setting.menu_answers + "1\n7\n30\n2\n49\n4\n" + "1\n" + kThreshold + "\n" +
        scratch.path("marsyl.txt") + "\n" + "2\n" + kThreshold + "\n" +
        scratch.path("genotypes.txt") + "\n" + "3\n" + scratch.path("big.txt") + "\n" + "4\n1\n" +
        scratch.path("matrix.txt") + "\n" + "5\n" + scratch.path("histogram.txt") + "\n7\n30\n6\n";
    std::istringstream in(answers);
    std::ostringstream console;
    std::ostringstream errors;
    ASSERT_EQ(dialogue::run_kelvane(in, console, errors), 0) << console.str();

    const auto command = [&](const std::string& name, const std::vector<std::string>& more) {
        auto run =
            run_command(run_kelvane_command_line, with(with({name, data}, setting.options), more));
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out;
    };
    // The square matrix, without the names.
    auto matrix = tab_rows(command("distances", {}));
    auto dialogue_matrix = tab_rows(scratch.content("matrix.txt"));
    matrix.erase(matrix.begin());
    for (auto& row : matrix) {
        row.erase(row.begin());
    }
    ASSERT_EQ(dialogue_matrix.size(), 36u);
    EXPECT_EQ(matrix, dialogue_matrix);

    EXPECT_EQ(tab_rows(command("thresholds", {})), changes_of_big_file(scratch.content("big.txt")));

    const auto clones = tab_rows(
        command("clones", {"--threshold", kThreshold, "--clonal", scratch.path("cli_marsyl.txt"),
                           "--genotypes", scratch.path("cli_genotypes.txt")}));
    EXPECT_EQ(scratch.content("cli_marsyl.txt"), scratch.content("marsyl.txt"));
    EXPECT_EQ(scratch.content("cli_genotypes.txt"), scratch.content("genotypes.txt"));
    const auto genotypes = tab_rows(scratch.content("genotypes.txt"));
    ASSERT_EQ(clones.size(), genotypes.size() + 1);
    for (std::size_t i = 0; i < genotypes.size(); ++i) {
        EXPECT_EQ(clones[i + 1][0], genotypes[i][0]);
        EXPECT_EQ(clones[i + 1][2], genotypes[i][1]);
    }

    const auto histogram =
        tab_rows(command("histogram", {"--classes", "7", "--max-distance", "30"}));
    const auto dialogue_histogram = tab_rows(scratch.content("histogram.txt"));
    ASSERT_EQ(histogram.size(), dialogue_histogram.size());
    for (std::size_t k = 1; k < histogram.size(); ++k) {
        const std::string pairs = dialogue_histogram[k][2];
        EXPECT_EQ(histogram[k][3],
                  pairs.substr(0, pairs.find('|')).substr(pairs.find_first_not_of(' ')));
    }

    const std::vector<std::string> amova = amova_lines(console.str());
    ASSERT_GE(amova.size(), 5u);
    EXPECT_EQ(amova_lines_of(command("amova", {"--permutations", "49"})), amova);
}

TEST(KelvaneCommandLine, EveryCommandGivesWhatTheDialogueGivesUnderEveryModel) {
    for (const int ploidy : {2, 4}) {
        const std::string markers = clonal_markers(ploidy, 17u + static_cast<unsigned>(ploidy));
        for (const Setting& setting : kSettings) {
            SCOPED_TRACE(setting.menu_answers + " ploidy " + std::to_string(ploidy));
            expect_same_results(markers, setting);
        }
    }
}

TEST(KelvaneCommandLine, DiceDistancesAreTheDialoguesToo) {
    const testing_support::ScratchFolder scratch("kelvane-dice");
    std::string bands = "Bands\n8 2 6 1 1\nA B\n";
    const char* const rows[] = {"1 a 1 8 1 1 8 1", "1 b 1 8 1 1 8 0", "1 c 8 8 1 1 8 1",
                                "1 d 1 1 1 8 8 1", "2 e 8 1 8 1 1 8", "2 f 8 1 8 1 1 1",
                                "2 g 8 1 0 1 1 8", "2 h 1 1 8 8 1 8"};
    for (const char* row : rows) {
        bands += std::string(row) + "\n";
    }
    scratch.write("bands.txt", bands);
    for (const char* code : {"8", "-8"}) {
        std::istringstream in(scratch.path("bands.txt") + "\n4\n" + code + "\n4\n4\n1\n" +
                              scratch.path("matrix.txt") + "\n6\n");
        std::ostringstream console;
        std::ostringstream errors;
        ASSERT_EQ(dialogue::run_kelvane(in, console, errors), 0) << console.str();
        auto matrix = tab_rows(
            run_command(run_kelvane_command_line, {"distances", scratch.path("bands.txt"),
                                                   "--distance", "dice", "--absence-code", code})
                .out);
        matrix.erase(matrix.begin());
        for (auto& row : matrix) {
            row.erase(row.begin());
        }
        ASSERT_EQ(matrix.size(), 8u);
        EXPECT_EQ(matrix, tab_rows(scratch.content("matrix.txt"))) << code;
    }
}

}  // namespace
}  // namespace kelvane::cli
