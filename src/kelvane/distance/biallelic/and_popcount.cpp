// The shared-bit counts, in versions for the instruction sets of x86-64 processors.
#include "kelvane/distance/biallelic/and_popcount.hpp"

#include <bit>

namespace kelvane {
namespace {

// The loops of every version, inlined into each so that the compiler vectorises them as far as
// that version's instruction set allows.
[[gnu::always_inline]] inline uint64_t count_loop(const uint64_t* a, const uint64_t* b,
                                                  std::size_t words) {
    uint64_t sum = 0;
    for (std::size_t w = 0; w < words; ++w) {
        sum += static_cast<uint64_t>(std::popcount(a[w] & b[w]));
    }
    return sum;
}

[[gnu::always_inline]] inline void rows_loop(const uint64_t* b, const uint64_t* rows,
                                             std::size_t stride, std::size_t words,
                                             std::size_t count, uint64_t* sums) {
    for (std::size_t r = 0; r < count; ++r) {
        sums[r] = count_loop(rows + r * stride, b, words);
    }
}

using Count = uint64_t (*)(const uint64_t*, const uint64_t*, std::size_t);
using CountRows = void (*)(const uint64_t*, const uint64_t*, std::size_t, std::size_t, std::size_t,
                           uint64_t*);

struct Version {
    Count count;
    CountRows count_rows;
    const char* name;
};

uint64_t count_plain(const uint64_t* a, const uint64_t* b, std::size_t words) {
    return count_loop(a, b, words);
}
void rows_plain(const uint64_t* b, const uint64_t* rows, std::size_t stride, std::size_t words,
                std::size_t count, uint64_t* sums) {
    rows_loop(b, rows, stride, words, count, sums);
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

[[gnu::target("avx512f,avx512vpopcntdq")]] uint64_t count_avx512(const uint64_t* a,
                                                                 const uint64_t* b,
                                                                 std::size_t words) {
    return count_loop(a, b, words);
}
[[gnu::target("avx512f,avx512vpopcntdq")]] void rows_avx512(const uint64_t* b, const uint64_t* rows,
                                                            std::size_t stride, std::size_t words,
                                                            std::size_t count, uint64_t* sums) {
    rows_loop(b, rows, stride, words, count, sums);
}

[[gnu::target("avx2,popcnt")]] uint64_t count_avx2(const uint64_t* a, const uint64_t* b,
                                                   std::size_t words) {
    return count_loop(a, b, words);
}
[[gnu::target("avx2,popcnt")]] void rows_avx2(const uint64_t* b, const uint64_t* rows,
                                              std::size_t stride, std::size_t words,
                                              std::size_t count, uint64_t* sums) {
    rows_loop(b, rows, stride, words, count, sums);
}

[[gnu::target("popcnt")]] uint64_t count_popcnt(const uint64_t* a, const uint64_t* b,
                                                std::size_t words) {
    return count_loop(a, b, words);
}
[[gnu::target("popcnt")]] void rows_popcnt(const uint64_t* b, const uint64_t* rows,
                                           std::size_t stride, std::size_t words, std::size_t count,
                                           uint64_t* sums) {
    rows_loop(b, rows, stride, words, count, sums);
}

Version best_version() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vpopcntdq")) {
        return {count_avx512, rows_avx512, "avx512vpopcntdq"};
    }
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt")) {
        return {count_avx2, rows_avx2, "avx2"};
    }
    if (__builtin_cpu_supports("popcnt")) {
        return {count_popcnt, rows_popcnt, "popcnt"};
    }
    return {count_plain, rows_plain, "plain"};
}

#else

Version best_version() {
    return {count_plain, rows_plain, "plain"};
}

#endif

const Version& version() {
    static const Version chosen = best_version();
    return chosen;
}

}  // namespace

uint64_t and_popcount(const uint64_t* a, const uint64_t* b, std::size_t words) {
    return version().count(a, b, words);
}

void and_popcounts(const uint64_t* b, const uint64_t* rows, std::size_t stride, std::size_t words,
                   std::size_t count, uint64_t* sums) {
    version().count_rows(b, rows, stride, words, count, sums);
}

const char* and_popcount_version() {
    return version().name;
}

}  // namespace kelvane
