// The folder the dialogue fuzz targets run in: small input files under fixed names, restored
// before every run, and the filter that keeps an answer stream inside that folder and within a
// size of work that ends quickly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <string>

namespace fuzzing {

// Makes (once) a fresh temporary folder, moves into it, and writes the example files anew.
void prepare_dialogue_folder();

// False for answer streams the targets skip: a line naming a path outside the folder (a slash
// or a backslash), or a number of more than three digits (larger numbers of permutations,
// classes or missing steps only make a run long, not different: squared missing steps of 5002
// give a table of genotypes over 10^8 thresholds).
bool answers_stay_small(const std::string& answers);

using Dialogue = std::function<int(std::istream&, std::ostream&, std::ostream&)>;

// Runs the dialogue in the folder on the fuzz input as its answer stream, unless the answers
// would leave the folder or run long.
void run_dialogue(const Dialogue& dialogue, const uint8_t* data, std::size_t size);

}  // namespace fuzzing
