// --svg FILE: a command's result drawn as a figure beside its table. The table and the figure
// are written in full before either takes its name, as every result is.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

#include "common/cli/command_line.hpp"
#include "common/cli/result_files.hpp"
#include "common/text/result_table.hpp"
#include "plot/figure.hpp"

namespace clonal::cli {

struct FigureOption {
    std::string file;  // empty: no figure

    bool wanted() const { return !file.empty(); }
};

// --svg FILE; what says what the figure shows.
void add_figure_option(CLI::App& command, FigureOption& option, const std::string& what);

// The places of a command's table (--out) and figure (--svg), checked when made, before the work
// starts (see ResultFiles).
class TableAndFigure {
  public:
    TableAndFigure(const Terminal& terminal, const CommonOptions& common,
                   const FigureOption& figure, const std::vector<std::string>& inputs);

    // The table as TSV, after the lines of the heading when there are some ("# ..." lines, each
    // ending in a newline), and, when --svg was given, the figure make_figure draws.
    void write(const ResultTable& table, const std::function<plot::Figure()>& make_figure,
               const std::string& heading = {});

  private:
    ResultFiles files_;
    ResultFile& table_;
    ResultFile* figure_;
};

}  // namespace clonal::cli
