// What the tests of every pair of populations share: the order of the pairs (each population
// against those before it, as the dialogue runs them, with its order of draws) and a watcher
// told when each pair starts.
#pragma once

#include <cstdint>
#include <functional>

namespace marsyl::analysis {

// Called before the test of a pair: a, then b < a, numbered from 1.
using PairStarted = std::function<void(int32_t a, int32_t b)>;

}  // namespace marsyl::analysis
