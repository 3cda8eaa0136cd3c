// The looked-up additions of a row, in versions for the processor's vector units.
#include "kelvane/distance/row_lookup.hpp"

namespace kelvane {
namespace {

template <class Value>
inline void lookup_loop(Value* __restrict sums, const Value* __restrict row,
                        const int32_t* __restrict ids, std::size_t n) {
    for (std::size_t j = 0; j < n; ++j) {
        sums[j] += row[ids[j]];
    }
}

using AddInt = void (*)(int64_t*, const int64_t*, const int32_t*, std::size_t);
using AddReal = void (*)(double*, const double*, const int32_t*, std::size_t);

struct Version {
    AddInt add_int;
    AddReal add_real;
    const char* name;
};

void int_plain(int64_t* sums, const int64_t* row, const int32_t* ids, std::size_t n) {
    lookup_loop(sums, row, ids, n);
}
void real_plain(double* sums, const double* row, const int32_t* ids, std::size_t n) {
    lookup_loop(sums, row, ids, n);
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

[[gnu::target("avx512f")]] void int_avx512(int64_t* sums, const int64_t* row, const int32_t* ids,
                                           std::size_t n) {
    lookup_loop(sums, row, ids, n);
}
[[gnu::target("avx512f")]] void real_avx512(double* sums, const double* row, const int32_t* ids,
                                            std::size_t n) {
    lookup_loop(sums, row, ids, n);
}
[[gnu::target("avx2")]] void int_avx2(int64_t* sums, const int64_t* row, const int32_t* ids,
                                      std::size_t n) {
    lookup_loop(sums, row, ids, n);
}
[[gnu::target("avx2")]] void real_avx2(double* sums, const double* row, const int32_t* ids,
                                       std::size_t n) {
    lookup_loop(sums, row, ids, n);
}

Version best_version() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) {
        return {int_avx512, real_avx512, "avx512"};
    }
    if (__builtin_cpu_supports("avx2")) {
        return {int_avx2, real_avx2, "avx2"};
    }
    return {int_plain, real_plain, "plain"};
}

#else

Version best_version() {
    return {int_plain, real_plain, "plain"};
}

#endif

const Version& version() {
    static const Version chosen = best_version();
    return chosen;
}

}  // namespace

void add_looked_up(int64_t* sums, const int64_t* row, const int32_t* ids, std::size_t n) {
    version().add_int(sums, row, ids, n);
}

void add_looked_up(double* sums, const double* row, const int32_t* ids, std::size_t n) {
    version().add_real(sums, row, ids, n);
}

const char* row_lookup_version() {
    return version().name;
}

}  // namespace kelvane
