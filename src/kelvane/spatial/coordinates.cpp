// Reading coordinates, and the distances between sampling points.
#include "kelvane/spatial/coordinates.hpp"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "common/core/fatal_error.hpp"
#include "common/text/number_text.hpp"
#include "common/text/printf.hpp"
#include "kelvane/data/formats/genalex_reader.hpp"
#include "kelvane/data/formats/strata_file.hpp"

namespace kelvane {
namespace {

constexpr double kEarthRadiusKm = 6371.0;

// Haversine: stable for the short distances of a sampling plot.
double great_circle(double longitude1, double latitude1, double longitude2, double latitude2) {
    constexpr double kRadian = std::numbers::pi / 180.0;
    const double half_latitude = (latitude2 - latitude1) * kRadian / 2.0;
    const double half_longitude = (longitude2 - longitude1) * kRadian / 2.0;
    const double a = std::sin(half_latitude) * std::sin(half_latitude) +
                     std::cos(latitude1 * kRadian) * std::cos(latitude2 * kRadian) *
                         std::sin(half_longitude) * std::sin(half_longitude);
    return 2.0 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

double plane(double x1, double y1, double x2, double y2) {
    // The sum of squares in this order, as R's dist() takes it.
    const double dx = x1 - x2;
    const double dy = y1 - y2;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

bool Coordinates::given(int i) const {
    return !std::isnan(x[static_cast<std::size_t>(i)]);
}

double Coordinates::distance(int i, int j) const {
    return distance_to(i, x[static_cast<std::size_t>(j)], y[static_cast<std::size_t>(j)]);
}

double Coordinates::distance_to(int i, double px, double py) const {
    const double xi = x[static_cast<std::size_t>(i)];
    const double yi = y[static_cast<std::size_t>(i)];
    return geographic ? great_circle(xi, yi, px, py) : plane(xi, yi, px, py);
}

std::string geographic_advice(const Coordinates& coordinates) {
    return coordinates.geographic ? "({geographic} reads x as longitude and y as latitude)"
                                  : std::string();
}

std::optional<std::string> coordinate_refusal(double value, int c, bool geographic,
                                              const std::string& subject, const std::string& text) {
    const double limit = c == 0 ? 180.0 : 90.0;
    if (geographic && std::abs(value) > limit) {
        return clonal::format("the %s of %s is %s, outside -%g to %g degrees",
                              c == 0 ? "longitude" : "latitude", subject.c_str(), text.c_str(),
                              limit, limit);
    }
    if (std::abs(value) > kFarthestCoordinate) {
        return clonal::format(
            "the %s of %s is %s, beyond -1e150 to 1e150, where distances between points overflow",
            c == 0 ? "x" : "y", subject.c_str(), text.c_str());
    }
    return std::nullopt;
}

namespace {

// Individual i's place from the texts of its two values; what names them in errors.
void place(Coordinates& coordinates, std::size_t i, const std::string& name,
           const std::array<std::string, 2>& texts, const std::array<std::string, 2>& what,
           int64_t line, const std::array<int64_t, 2>& columns) {
    for (std::size_t c = 0; c < 2; ++c) {
        const std::optional<double> value = clonal::whole_double(texts[c]);
        if (!value || !std::isfinite(*value)) {
            throw clonal::InputError(
                clonal::format("the %s of '%s' is not a number: '%s'", what[c].c_str(),
                               name.c_str(), texts[c].c_str()),
                line, columns[c]);
        }
        if (auto why = coordinate_refusal(*value, static_cast<int>(c), coordinates.geographic,
                                          "'" + name + "'", texts[c])) {
            throw clonal::InputError(*why, line, columns[c])
                .advised(geographic_advice(coordinates));
        }
        (c == 0 ? coordinates.x : coordinates.y)[i] = *value;
    }
}

}  // namespace

void check_coordinates(const Coordinates& coordinates, std::span<const std::string> individuals) {
    for (std::size_t i = 0; i < coordinates.x.size() && i < individuals.size(); ++i) {
        for (std::size_t c = 0; c < 2; ++c) {
            const double value = (c == 0 ? coordinates.x : coordinates.y)[i];
            if (std::isnan(value)) {
                continue;
            }
            const std::string text =
                std::isinf(value) ? (value > 0 ? "Inf" : "-Inf") : clonal::format("%g", value);
            if (auto why = coordinate_refusal(value, static_cast<int>(c), coordinates.geographic,
                                              "'" + individuals[i] + "'", text)) {
                throw clonal::FatalError(*why).advised(geographic_advice(coordinates));
            }
        }
    }
}

namespace {

Coordinates unplaced(std::size_t individuals, bool geographic) {
    Coordinates coordinates;
    coordinates.geographic = geographic;
    const double none = std::numeric_limits<double>::quiet_NaN();
    coordinates.x.assign(individuals, none);
    coordinates.y.assign(individuals, none);
    return coordinates;
}

}  // namespace

Coordinates read_coordinates(std::string_view content, std::span<const std::string> individuals,
                             bool geographic) {
    const Strata columns = read_strata(content, individuals, false);
    if (columns.levels.size() != 2) {
        throw clonal::InputError(
            clonal::format("%zu columns after the individual's; a coordinates file has two: x "
                           "and y (or longitude and latitude)",
                           columns.levels.size()),
            1, 0);
    }
    Coordinates coordinates = unplaced(individuals.size(), geographic);
    for (std::size_t i = 0; i < individuals.size(); ++i) {
        if (columns.lines[i] != 0) {
            place(coordinates, i, individuals[i], {columns.values[0][i], columns.values[1][i]},
                  {columns.levels[0], columns.levels[1]}, columns.lines[i], {2, 3});
        }
    }
    return coordinates;
}

std::optional<Coordinates> genalex_coordinates(std::string_view content,
                                               std::span<const std::string> individuals,
                                               bool geographic) {
    const std::vector<GenalexTrailing> samples = genalex_after_genotypes(content);
    Coordinates coordinates = unplaced(individuals.size(), geographic);
    bool any = false;
    // The sheet's rows are the data's individuals in order.
    for (std::size_t i = 0; i < samples.size() && i < individuals.size(); ++i) {
        const GenalexTrailing& sample = samples[i];
        std::vector<std::string> fields = sample.fields;
        fields.resize(std::max<std::size_t>(fields.size(), 3));
        if (fields[1].empty() && fields[2].empty()) {
            continue;
        }
        any = true;
        if (!fields[0].empty()) {
            throw clonal::InputError(
                "the coordinates of a GenAlEx sheet follow the genotypes after one empty column",
                sample.line, sample.first_column);
        }
        place(coordinates, i, individuals[i], {fields[1], fields[2]}, {"x", "y"}, sample.line,
              {sample.first_column + 1, sample.first_column + 2});
    }
    if (!any) {
        return std::nullopt;
    }
    return coordinates;
}

std::vector<int> uncoordinated(const Coordinates& coordinates) {
    std::vector<int> missing;
    for (int i = 0; i < coordinates.size(); ++i) {
        if (!coordinates.given(i)) {
            missing.push_back(i);
        }
    }
    return missing;
}

Coordinates coordinates_subset(const Coordinates& coordinates, std::span<const int> kept) {
    Coordinates subset;
    subset.geographic = coordinates.geographic;
    for (const int i : kept) {
        subset.x.push_back(coordinates.x[static_cast<std::size_t>(i)]);
        subset.y.push_back(coordinates.y[static_cast<std::size_t>(i)]);
    }
    return subset;
}

}  // namespace kelvane
