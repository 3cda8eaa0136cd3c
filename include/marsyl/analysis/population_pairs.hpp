// What the tests of every pair of populations share: the order of the pairs (each population
// against those before it, as the dialogue runs them, with its order of draws) and a watcher
// told when each pair starts.
#pragma once

#include <cstdint>
#include <functional>

#include "common/core/progress.hpp"

namespace marsyl::analysis {

// Called before the test of a pair: a, then b < a, numbered from 1.
using PairStarted = std::function<void(int32_t a, int32_t b)>;

// Refuses, before any test, pairs whose results would not fit the machine: a MemoryError when
// the pairs of the populations at bytes_per_pair each (the pair and its row of the table) exceed
// its memory.
void check_pairs_memory(int32_t populations, double bytes_per_pair);

// Runs test(a, b, progress of the pair) on every pair in order, telling started first; the
// progress of the pairs adds up to that of all of them.
void for_each_population_pair(
    int32_t populations, const clonal::ProgressReport& progress, const PairStarted& started,
    const std::function<void(int32_t a, int32_t b, const clonal::ProgressReport& pair)>& test);

}  // namespace marsyl::analysis
