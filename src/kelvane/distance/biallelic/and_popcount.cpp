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

[[gnu::always_inline]] inline void kinship_loop(const uint64_t* own, const uint64_t* rows,
                                                std::size_t stride, std::size_t words,
                                                std::size_t count, uint32_t* sums) {
    const uint64_t* own_called = own;
    const uint64_t* own_het = own + words;
    const uint64_t* own_first = own + 2 * words;
    const uint64_t* own_second = own + 3 * words;
    for (std::size_t r = 0; r < count; ++r) {
        const uint64_t* called = rows + r * stride;
        const uint64_t* het = called + words;
        const uint64_t* first = called + 2 * words;
        const uint64_t* second = called + 3 * words;
        uint64_t both = 0;
        uint64_t hethet = 0;
        uint64_t opposite = 0;
        uint64_t own_only = 0;
        uint64_t row_only = 0;
        for (std::size_t w = 0; w < words; ++w) {
            both += static_cast<uint64_t>(std::popcount(own_called[w] & called[w]));
            hethet += static_cast<uint64_t>(std::popcount(own_het[w] & het[w]));
            opposite += static_cast<uint64_t>(
                std::popcount((own_first[w] & second[w]) | (own_second[w] & first[w])));
            own_only += static_cast<uint64_t>(std::popcount(own_het[w] & called[w]));
            row_only += static_cast<uint64_t>(std::popcount(own_called[w] & het[w]));
        }
        uint32_t* out = sums + 5 * r;
        out[0] = static_cast<uint32_t>(both);
        out[1] = static_cast<uint32_t>(hethet);
        out[2] = static_cast<uint32_t>(opposite);
        out[3] = static_cast<uint32_t>(own_only);
        out[4] = static_cast<uint32_t>(row_only);
    }
}

using Count = uint64_t (*)(const uint64_t*, const uint64_t*, std::size_t);
using CountRows = void (*)(const uint64_t*, const uint64_t*, std::size_t, std::size_t, std::size_t,
                           uint64_t*);
using CountKinship = void (*)(const uint64_t*, const uint64_t*, std::size_t, std::size_t,
                              std::size_t, uint32_t*);

struct Version {
    Count count;
    CountRows count_rows;
    CountKinship count_kinship;
    const char* name;
};

uint64_t count_plain(const uint64_t* a, const uint64_t* b, std::size_t words) {
    return count_loop(a, b, words);
}
void rows_plain(const uint64_t* b, const uint64_t* rows, std::size_t stride, std::size_t words,
                std::size_t count, uint64_t* sums) {
    rows_loop(b, rows, stride, words, count, sums);
}
void kinship_plain(const uint64_t* own, const uint64_t* rows, std::size_t stride, std::size_t words,
                   std::size_t count, uint32_t* sums) {
    kinship_loop(own, rows, stride, words, count, sums);
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
[[gnu::target("avx512f,avx512vpopcntdq")]] void kinship_avx512(const uint64_t* own,
                                                               const uint64_t* rows,
                                                               std::size_t stride,
                                                               std::size_t words, std::size_t count,
                                                               uint32_t* sums) {
    kinship_loop(own, rows, stride, words, count, sums);
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
[[gnu::target("avx2,popcnt")]] void kinship_avx2(const uint64_t* own, const uint64_t* rows,
                                                 std::size_t stride, std::size_t words,
                                                 std::size_t count, uint32_t* sums) {
    kinship_loop(own, rows, stride, words, count, sums);
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
[[gnu::target("popcnt")]] void kinship_popcnt(const uint64_t* own, const uint64_t* rows,
                                              std::size_t stride, std::size_t words,
                                              std::size_t count, uint32_t* sums) {
    kinship_loop(own, rows, stride, words, count, sums);
}

Version best_version() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vpopcntdq")) {
        return {count_avx512, rows_avx512, kinship_avx512, "avx512vpopcntdq"};
    }
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt")) {
        return {count_avx2, rows_avx2, kinship_avx2, "avx2"};
    }
    if (__builtin_cpu_supports("popcnt")) {
        return {count_popcnt, rows_popcnt, kinship_popcnt, "popcnt"};
    }
    return {count_plain, rows_plain, kinship_plain, "plain"};
}

#else

Version best_version() {
    return {count_plain, rows_plain, kinship_plain, "plain"};
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

void kinship_popcounts(const uint64_t* own, const uint64_t* rows, std::size_t stride,
                       std::size_t words, std::size_t count, uint32_t* sums) {
    version().count_kinship(own, rows, stride, words, count, sums);
}

const char* and_popcount_version() {
    return version().name;
}

}  // namespace kelvane
