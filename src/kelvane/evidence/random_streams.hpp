// Generators for pieces of random work that run side by side: the seeds of every piece are drawn
// from the run's generator in the order of the pieces before any of them runs, so each piece
// draws the same numbers whatever the number of threads, and the run's seeds repeat it all.
#pragma once

#include <cstdint>
#include <vector>

#include "common/core/random.hpp"

namespace kelvane {

// A generator whose seeds are the next two draws of parent, each inside the range of its
// component (1 to 2147483562 and 1 to 2147483398).
inline clonal::Random random_stream(clonal::Random& parent) {
    clonal::Random stream;
    const int first = 1 + clonal::draw_index(parent.next_uniform(), 2147483562);
    const int second = 1 + clonal::draw_index(parent.next_uniform(), 2147483398);
    stream.set_seeds(first, second);
    return stream;
}

// One generator per piece of work, in order.
inline std::vector<clonal::Random> random_streams(clonal::Random& parent, int64_t pieces) {
    std::vector<clonal::Random> streams;
    streams.reserve(static_cast<std::size_t>(pieces));
    for (int64_t piece = 0; piece < pieces; ++piece) {
        streams.push_back(random_stream(parent));
    }
    return streams;
}

}  // namespace kelvane
