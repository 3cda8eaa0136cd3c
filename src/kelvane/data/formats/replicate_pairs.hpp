// The replicates file: a line per pair of samples that are the same DNA or the same ramet typed
// twice, the two names separated by a tab or by blanks. Blank lines and lines starting with #
// are skipped, and so is a first line naming no individual (a header).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvane {

// The pairs, as positions among the individuals named. Errors (InputError naming the line and
// column): a line without exactly two names, a name that is no individual, a sample paired
// with itself, and a file without a pair.
std::vector<std::pair<int, int>> read_replicate_pairs(std::string_view content,
                                                      std::span<const std::string> individuals);

}  // namespace kelvane
