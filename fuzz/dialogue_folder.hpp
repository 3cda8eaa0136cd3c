// The folder the dialogue fuzz targets run in: small input files under fixed names, restored
// before every run, and the filter that keeps an answer stream inside that folder and within a
// size of work that ends quickly.
#pragma once

#include <string>

namespace fuzzing {

// Makes (once) a fresh temporary folder, moves into it, and writes the example files anew.
void prepare_dialogue_folder();

// False for answer streams the targets skip: a line naming a path outside the folder (a slash
// or a backslash), or a number of more than four digits (numbers of permutations or classes
// beyond that only make a run long, not different).
bool answers_stay_small(const std::string& answers);

}  // namespace fuzzing
