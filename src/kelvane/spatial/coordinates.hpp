// Where each individual was sampled: x and y on a plane (distances in the file's units), or
// longitude and latitude in degrees (great-circle distances in km).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

struct Coordinates {
    std::vector<double> x;  // per individual in data order; NaN where none was given
    std::vector<double> y;
    bool geographic = false;  // x longitude, y latitude, in degrees

    int size() const { return static_cast<int>(x.size()); }
    bool given(int i) const;
    // The plane distance, or the great-circle distance in km on a sphere of radius 6371 km.
    double distance(int i, int j) const;
    // The same from individual i to a point.
    double distance_to(int i, double px, double py) const;
};

// The coordinates of the individuals named, from a TSV file with a header: the individual's
// name, x, y (any header names). Lines of other names are left out; individuals without a line
// have none. Errors (InputError naming the line): those of a strata file (strata_file.hpp), other
// than three columns, a value that is not a finite number or lies beyond kFarthestCoordinate,
// and with geographic a longitude outside -180 to 180 or a latitude outside -90 to 90.
Coordinates read_coordinates(std::string_view content, std::span<const std::string> individuals,
                             bool geographic);

// The coordinates a GenAlEx sheet gives its samples (individuals, the data read from it): the
// two columns after the genotypes and one empty column, as GenAlEx places X and Y. Samples whose
// two fields are empty have none; nothing when no sample has any. Errors as read_coordinates',
// naming the sheet's line and column, and a value where the empty column belongs.
std::optional<Coordinates> genalex_coordinates(std::string_view content,
                                               std::span<const std::string> individuals,
                                               bool geographic);

// Coordinates on a plane are at most this far from 0, so that no distance between two points
// overflows.
inline constexpr double kFarthestCoordinate = 1e150;

// Why value cannot be coordinate c (0: x or longitude, 1: y or latitude) of subject ("'a12'",
// "the centre"), text being how it was written; nothing when it can.
std::optional<std::string> coordinate_refusal(double value, int c, bool geographic,
                                              const std::string& subject, const std::string& text);

// What follows a refusal of coordinates read as degrees, naming {geographic}; empty otherwise.
std::string geographic_advice(const Coordinates& coordinates);

// Coordinates given by a caller (not read from a file) checked as the readers check them: a
// coordinate beyond kFarthestCoordinate, and with geographic a longitude or latitude outside
// its range, are a FatalError naming the individual; NaN stays "none given".
void check_coordinates(const Coordinates& coordinates, std::span<const std::string> individuals);

// The individuals without coordinates, in data order.
std::vector<int> uncoordinated(const Coordinates& coordinates);

// The coordinates of the individuals kept, in their order.
Coordinates coordinates_subset(const Coordinates& coordinates, std::span<const int> kept);

}  // namespace kelvane
