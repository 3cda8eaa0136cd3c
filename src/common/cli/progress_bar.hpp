// Progress of long work on standard error: a bar with the percentage done and the time left,
// drawn only when it is wanted (a terminal, or --progress) and only once the work has run for
// about a second. Never part of a result.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

#include "common/core/progress.hpp"

namespace clonal::cli {

class ProgressBar {
  public:
    ProgressBar(std::ostream& err, bool shown, std::string what);
    ~ProgressBar() { finish(); }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // The report to hand to a computation.
    ProgressReport report();

    // Clears the bar, if one was drawn.
    void finish();

  private:
    using Clock = std::chrono::steady_clock;

    void draw(uint64_t done, uint64_t total);

    std::ostream& err_;
    bool shown_;
    std::string what_;
    Clock::time_point start_;
    Clock::time_point last_draw_;
    bool drawn_ = false;
};

}  // namespace clonal::cli
