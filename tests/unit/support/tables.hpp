// Reading back what the programs write, for tests that compare two ways of getting one result:
// tab-separated tables and runs of a command line in-process.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "common/cli/command_line.hpp"

namespace testing_support {

// The rows of a text, each split at tabs; the last line end ends the last row.
inline std::vector<std::vector<std::string>> tab_rows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab = line.find('\t'); tab != std::string::npos;
             tab = line.find('\t', start)) {
            fields.push_back(line.substr(start, tab - start));
            start = tab + 1;
        }
        fields.push_back(line.substr(start));
        rows.push_back(fields);
    }
    return rows;
}

struct CommandRun {
    int status = 0;
    std::string out;
    std::string err;
};

// Runs a program's command line in-process with the arguments given.
template <class CommandLine>
CommandRun run_command(CommandLine command_line, const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    CommandRun run;
    run.status = command_line(arguments, clonal::cli::Terminal{out, err, false});
    run.out = out.str();
    run.err = err.str();
    return run;
}

}  // namespace testing_support
