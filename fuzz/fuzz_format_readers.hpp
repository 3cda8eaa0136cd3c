// What the fuzz targets of the data formats share: a reader's data set, once read, is tallied and
// written in the formats kelvane convert writes, so that a fuzzed file also reaches the writers.
#pragma once

#include <functional>

#include "kelvane/data/formats/data_file_reader.hpp"

namespace fuzzing {

// Runs read; bad input ends in a FatalError, the expected outcome for most inputs.
void read_and_write(const std::function<kelvane::DataRead()>& read);

}  // namespace fuzzing
