// The strata of the individuals: for each individual, its group at each of several levels of a
// sampling design (region, population, site, ...). Read from a TSV file with a header (the first
// column the individual's name, then a column per level, any names) or from the region block of
// a GenAlEx sheet.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

struct Strata {
    std::vector<std::string> levels;               // the names of the columns
    std::vector<std::vector<std::string>> values;  // [level][individual], individuals in data order
    std::vector<int64_t> lines;  // the line of each individual; 0 for none (not complete)
};

// The strata of the individuals named, from a TSV file's content. Lines of other names are left
// out. Errors (InputError naming the line): no header or a level without a name, two levels of
// one name, a line with too few or too many fields or an empty one, a name on two lines, and, when
// complete, an individual without a line (otherwise its values are empty and its line 0).
Strata read_strata(std::string_view content, std::span<const std::string> individuals,
                   bool complete = true);

// The regions of a GenAlEx sheet's samples, in the order of its rows, as the one level "region":
// line 1 continues after the population sizes with an empty field, the number of regions and the
// number of samples of each, the samples of a region being the next rows; line 2 names the
// regions, from the column of the number on. Nothing when line 1 has no such block; a block that
// does not add up to the samples is an InputError.
std::optional<Strata> genalex_regions(std::string_view content);

}  // namespace kelvane
