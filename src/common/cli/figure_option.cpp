// Tables with their figures.
#include "common/cli/figure_option.hpp"

#include "common/cli/cli_errors.hpp"
#include "common/cli/result_output.hpp"
#include "plot/svg_render.hpp"

namespace clonal::cli {

void add_figure_option(CLI::App& command, FigureOption& option, const std::string& what) {
    command.add_option("--svg", option.file, "also draw " + what + " as an SVG figure here");
}

void check_destinations(const CommonOptions& common, const FigureOption& figure) {
    if (figure.wanted() && figure.file == common.out) {
        throw UsageError("--svg and --out name the same place, '" + figure.file + "'");
    }
}

void write_table_and_figure(const Terminal& terminal, const CommonOptions& common,
                            const ResultTable& table, const FigureOption& figure,
                            const std::function<plot::Figure()>& make_figure) {
    check_destinations(common, figure);
    ResultOutput table_output(common.out, terminal.out);
    write_tsv(table, table_output.stream());
    if (!figure.wanted()) {
        table_output.commit();
        return;
    }
    ResultOutput figure_output(figure.file, terminal.out);
    plot::write_svg(make_figure(), figure_output.stream());
    figure_output.commit();
    table_output.commit();
}

}  // namespace clonal::cli
