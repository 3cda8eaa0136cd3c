// The options of the coordinates.
#include "kelvane/cli/spatial_options.hpp"

#include "common/core/fatal_error.hpp"
#include "kelvane/analysis/spatial.hpp"
#include "kelvane/data/data_subset.hpp"

namespace kelvane::cli {

void add_coordinate_options(CLI::App& command, CoordinateOptions& options) {
    command.add_option("--coordinates", options.file,
                       "a TSV file with a header: individual, x, y (longitude, latitude with "
                       "--geographic); a GenAlEx sheet may give them in its own X and Y columns");
    command.add_flag("--geographic", options.geographic,
                     "x and y are longitude and latitude in degrees; distances great-circle, in "
                     "km");
    command.add_flag("--drop-uncoordinated", options.drop_uncoordinated,
                     "leave out individuals without coordinates (otherwise an error)");
}

std::optional<std::pair<MarkerData, Coordinates>> located(const CoordinateOptions& options,
                                                          const DataOptions& data_options,
                                                          MarkerData data,
                                                          const clonal::cli::Terminal& terminal) {
    std::optional<Coordinates> given =
        options.file.empty()
            ? analysis::sheet_coordinates(data_input(data_options), data, options.geographic)
            : analysis::coordinates_file(options.file, data, options.geographic);
    if (!given) {
        return std::nullopt;
    }
    Coordinates& coordinates = *given;
    const std::string source = options.file.empty() ? data_options.data : options.file;
    const std::vector<int> missing = uncoordinated(coordinates);
    if (missing.empty()) {
        return std::pair{std::move(data), std::move(coordinates)};
    }
    if (!options.drop_uncoordinated) {
        const std::string others =
            missing.size() == 1 ? "" : ", nor have " + std::to_string(missing.size() - 1) + " more";
        throw clonal::FatalError("the individual '" +
                                 data.ind_names[static_cast<std::size_t>(missing.front())] +
                                 "' has no coordinates in " + source + others +
                                 " (--drop-uncoordinated leaves such individuals out)");
    }
    std::vector<int> kept;
    for (int i = 0, next = 0; i < data.n_individuals; ++i) {
        if (next < static_cast<int>(missing.size()) &&
            missing[static_cast<std::size_t>(next)] == i) {
            ++next;
        } else {
            kept.push_back(i);
        }
    }
    terminal.err << "kelvane: note: " << missing.size()
                 << " individuals without coordinates left out (--drop-uncoordinated)\n";
    return std::pair{data_subset(data, kept), coordinates_subset(coordinates, kept)};
}

}  // namespace kelvane::cli
