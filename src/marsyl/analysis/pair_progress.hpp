// Progress over the tests of every pair of populations: the work of the pair at hand added to
// that of the pairs done, against the work of all of them.
#pragma once

#include <cstdint>
#include <utility>

#include "common/core/progress.hpp"

namespace marsyl {

class PairsProgress {
  public:
    PairsProgress(clonal::ProgressReport overall, int32_t populations)
        : overall_(std::move(overall)),
          pairs_(static_cast<uint64_t>(populations) *
                 static_cast<uint64_t>(populations > 1 ? populations - 1 : 0) / 2) {}

    // The report to hand to the test of the next pair.
    clonal::ProgressReport next_pair() {
        if (!overall_) {
            return {};
        }
        const uint64_t before = done_++;
        return [this, before](uint64_t done, uint64_t total) {
            overall_(before * total + done, pairs_ * total);
        };
    }

  private:
    clonal::ProgressReport overall_;
    uint64_t pairs_;
    uint64_t done_ = 0;
};

}  // namespace marsyl
