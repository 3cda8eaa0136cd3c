// An analysis that needs the n x n matrix is refused at the start when the matrix cannot fit the
// machine's memory, with the memory it needs and the analyses that work without it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "kelvane/analysis/distances.hpp"

namespace kelvane {
namespace {

TEST(MatrixMemory, RefusedBeyondTheMachineWithWhatItNeedsAndWhatWorksWithout) {
    constexpr uint64_t kGigabyte = uint64_t{1} << 30;
    // 100,000^2 cells of 4 bytes: 37.3 GB.
    const auto refusal = matrix_memory_refusal(100000, 24 * kGigabyte);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_NE(refusal->find("needs 37.3 GB, more than the 24.0 GB"), std::string::npos);
    EXPECT_NE(refusal->find("clones, thresholds, suggestions, histogram and network under single"),
              std::string::npos);
    EXPECT_FALSE(matrix_memory_refusal(70000, 24 * kGigabyte).has_value());  // 18.3 GB
    EXPECT_FALSE(matrix_memory_refusal(100000, 0).has_value());              // memory unknown
}

}  // namespace
}  // namespace kelvane
