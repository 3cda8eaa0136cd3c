// Working arrays that cannot be allocated end the run with the message that names them.
#include "common/core/allocation.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <new>

namespace clonal {
namespace {

TEST(Allocation, MemoryThatRunsOutEndsTheRunWithTheArraysMessage) {
    try {
        with_memory_message("meanlength malloc failed, more memory needed",
                            []() -> int { throw std::bad_alloc(); });
        FAIL() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_STREQ(error.what(), "meanlength malloc failed, more memory needed");
        EXPECT_EQ(error.stream(), ErrorStream::kConsole);
    }
    EXPECT_EQ(with_memory_message("unused", [] { return 7; }), 7);
    // A size beyond what a vector can hold is the same failure, on the stream asked for.
    try {
        allocate_or_fail<int64_t>(std::numeric_limits<std::size_t>::max(), "table",
                                  ErrorStream::kErrorStream);
        FAIL() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_STREQ(error.what(), "table");
        EXPECT_EQ(error.stream(), ErrorStream::kErrorStream);
    }
}

}  // namespace
}  // namespace clonal
