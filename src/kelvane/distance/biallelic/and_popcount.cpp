// The shared-bit count, in versions for the instruction sets of x86-64 processors.
#include "kelvane/distance/biallelic/and_popcount.hpp"

#include <bit>

namespace kelvane {
namespace {

// The same loop for every version, inlined into each so that the compiler vectorises it as far as
// that version's instruction set allows.
[[gnu::always_inline]] inline uint64_t count_loop(const uint64_t* a, const uint64_t* b,
                                                  std::size_t words) {
    uint64_t sum = 0;
    for (std::size_t w = 0; w < words; ++w) {
        sum += static_cast<uint64_t>(std::popcount(a[w] & b[w]));
    }
    return sum;
}

uint64_t count_plain(const uint64_t* a, const uint64_t* b, std::size_t words) {
    return count_loop(a, b, words);
}

struct Version {
    AndPopcount count;
    const char* name;
};

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

[[gnu::target("avx512f,avx512vpopcntdq")]] uint64_t count_avx512(const uint64_t* a,
                                                                 const uint64_t* b,
                                                                 std::size_t words) {
    return count_loop(a, b, words);
}

[[gnu::target("avx2,popcnt")]] uint64_t count_avx2(const uint64_t* a, const uint64_t* b,
                                                   std::size_t words) {
    return count_loop(a, b, words);
}

[[gnu::target("popcnt")]] uint64_t count_popcnt(const uint64_t* a, const uint64_t* b,
                                                std::size_t words) {
    return count_loop(a, b, words);
}

Version best_version() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vpopcntdq")) {
        return {count_avx512, "avx512vpopcntdq"};
    }
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt")) {
        return {count_avx2, "avx2"};
    }
    if (__builtin_cpu_supports("popcnt")) {
        return {count_popcnt, "popcnt"};
    }
    return {count_plain, "plain"};
}

#else

Version best_version() {
    return {count_plain, "plain"};
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

AndPopcount and_popcount_function() {
    return version().count;
}

const char* and_popcount_version() {
    return version().name;
}

}  // namespace kelvane
