// Work shared among the cores of the machine: a fixed number of worker threads running one body
// each. The distance models and the AMOVA's permutations split their work among them; every
// result is computed by exactly one worker, so the outcome never depends on how many workers
// there are.
#pragma once

#include <cstddef>
#include <functional>

namespace clonal {

// The number of workers to use: requested when it is 1 or more, at most every core the machine
// reports; otherwise every core (at least one).
int worker_count(int requested);

// Runs body(worker) for worker 0 to workers - 1, each on its own thread (worker 0 on the calling
// thread), and returns when all have finished. Bodies take their work from a shared counter, so
// when the system refuses a further thread the workers already running do all the work. An
// exception thrown by a body is rethrown here after every thread has been joined.
void run_workers(int workers, const std::function<void(int worker)>& body);

// Runs body(i) for i = 0 to count - 1 on up to threads workers (0: every core, never more than
// count), each index taken by exactly one worker from a shared counter.
void for_each_index(std::size_t count, int threads, const std::function<void(std::size_t)>& body);

}  // namespace clonal
