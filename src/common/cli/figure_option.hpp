// --svg FILE: a command's result drawn as a figure beside its table. The table and the figure
// are written in full before either takes its name, as every result is.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>

#include "common/cli/command_line.hpp"
#include "common/text/result_table.hpp"
#include "plot/figure.hpp"

namespace clonal::cli {

struct FigureOption {
    std::string file;  // empty: no figure

    bool wanted() const { return !file.empty(); }
};

// --svg FILE; what says what the figure shows.
void add_figure_option(CLI::App& command, FigureOption& option, const std::string& what);

// A UsageError when the table and the figure would go to the same place. Checked before the
// work starts.
void check_destinations(const CommonOptions& common, const FigureOption& figure);

// The table as TSV where --out says and, when --svg was given, the figure make_figure draws.
void write_table_and_figure(const Terminal& terminal, const CommonOptions& common,
                            const ResultTable& table, const FigureOption& figure,
                            const std::function<plot::Figure()>& make_figure);

}  // namespace clonal::cli
