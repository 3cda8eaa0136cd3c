// Progress over the tests of every pair of populations: the work of the pair at hand added to
// that of the pairs done, against the work of all of them.
#pragma once

#include <cstdint>

#include "common/core/progress.hpp"

namespace marsyl {

class PairProgress {
  public:
    PairProgress(const clonal::ProgressReport& report, int32_t populations)
        : report_(report),
          pairs_(static_cast<uint64_t>(populations) *
                 static_cast<uint64_t>(populations > 1 ? populations - 1 : 0) / 2) {}

    // The report of the pair at hand, which counts done of total steps.
    clonal::ProgressReport of_pair() {
        return [this](uint64_t done, uint64_t total) {
            if (report_) {
                report_(pairs_done_ * total + done, pairs_ * total);
            }
        };
    }
    void pair_done() { ++pairs_done_; }

  private:
    clonal::ProgressReport report_;
    uint64_t pairs_;
    uint64_t pairs_done_ = 0;
};

}  // namespace marsyl
