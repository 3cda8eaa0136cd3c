// The options of the coordinates.
#include "kelvane/cli/spatial_options.hpp"

#include "common/core/fatal_error.hpp"
#include "common/core/file_io.hpp"
#include "kelvane/data/data_subset.hpp"

namespace kelvane::cli {

void add_coordinate_options(CLI::App& command, CoordinateOptions& options, bool optional) {
    CLI::Option* file = command.add_option(
        "--coordinates", options.file,
        "a TSV file with a header: individual, x, y (longitude, latitude with --geographic)");
    if (!optional) {
        file->required();
    }
    command
        .add_flag("--geographic", options.geographic,
                  "x and y are longitude and latitude in degrees; distances great-circle, in km")
        ->needs(file);
    command
        .add_flag("--drop-uncoordinated", options.drop_uncoordinated,
                  "leave out individuals without coordinates (otherwise an error)")
        ->needs(file);
}

std::pair<MarkerData, Coordinates> located(const CoordinateOptions& options, MarkerData data,
                                           const clonal::cli::Terminal& terminal) {
    Coordinates coordinates;
    try {
        coordinates = read_coordinates(clonal::read_input_file(options.file), data.ind_names,
                                       options.geographic);
    } catch (clonal::FatalError& error) {
        throw error.in_file(options.file);
    }
    const std::vector<int> missing = uncoordinated(coordinates);
    if (missing.empty()) {
        return {std::move(data), std::move(coordinates)};
    }
    if (!options.drop_uncoordinated) {
        const std::string others =
            missing.size() == 1 ? "" : ", nor have " + std::to_string(missing.size() - 1) + " more";
        throw clonal::FatalError("the individual '" +
                                 data.ind_names[static_cast<std::size_t>(missing.front())] +
                                 "' has no coordinates in " + options.file + others +
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
    return {data_subset(data, kept), coordinates_subset(coordinates, kept)};
}

}  // namespace kelvane::cli
