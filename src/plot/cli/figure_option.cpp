// Tables with their figures.
#include "plot/cli/figure_option.hpp"

#include "plot/svg_render.hpp"

namespace clonal::cli {

void add_figure_option(CLI::App& command, FigureOption& option, const std::string& what) {
    command.add_option("--svg", option.file, "also draw " + what + " as an SVG figure here");
}

TableAndFigure::TableAndFigure(const Terminal& terminal, const CommonOptions& common,
                               const FigureOption& figure, const std::vector<std::string>& inputs)
    : files_(terminal, inputs),
      table_(files_.add("--out", common.out)),
      figure_(figure.wanted() ? &files_.add("--svg", figure.file) : nullptr) {}

void TableAndFigure::write(const ResultTable& table,
                           const std::function<plot::Figure()>& make_figure,
                           const std::string& heading) {
    table_.stream() << heading;
    write_tsv(table, table_.stream());
    if (figure_ != nullptr) {
        plot::write_svg(make_figure(), figure_->stream());
    }
    files_.commit();
}

}  // namespace clonal::cli
