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

template <class Value>
inline void slotted_loop(Value* __restrict sums, const Value* __restrict row,
                         const int32_t* __restrict ids, const int32_t* __restrict slots,
                         std::size_t slot_cells, std::size_t n) {
    for (std::size_t j = 0; j < n; ++j) {
        sums[j] += row[static_cast<std::size_t>(slots[j]) * slot_cells + ids[j]];
    }
}

using AddInt = void (*)(int64_t*, const int64_t*, const int32_t*, std::size_t);
using AddReal = void (*)(double*, const double*, const int32_t*, std::size_t);
using SlottedInt = void (*)(int64_t*, const int64_t*, const int32_t*, const int32_t*, std::size_t,
                            std::size_t);
using SlottedReal = void (*)(double*, const double*, const int32_t*, const int32_t*, std::size_t,
                             std::size_t);

struct Version {
    AddInt add_int;
    AddReal add_real;
    SlottedInt slotted_int;
    SlottedReal slotted_real;
    const char* name;
};

// One version of the four loops for the target given (the default: none).
#define KELVANE_ROW_LOOKUPS(suffix, attribute)                                                     \
    attribute void int_##suffix(int64_t* sums, const int64_t* row, const int32_t* ids,             \
                                std::size_t n) {                                                   \
        lookup_loop(sums, row, ids, n);                                                            \
    }                                                                                              \
    attribute void real_##suffix(double* sums, const double* row, const int32_t* ids,              \
                                 std::size_t n) {                                                  \
        lookup_loop(sums, row, ids, n);                                                            \
    }                                                                                              \
    attribute void slotted_int_##suffix(int64_t* sums, const int64_t* row, const int32_t* ids,     \
                                        const int32_t* slots, std::size_t cells, std::size_t n) {  \
        slotted_loop(sums, row, ids, slots, cells, n);                                             \
    }                                                                                              \
    attribute void slotted_real_##suffix(double* sums, const double* row, const int32_t* ids,      \
                                         const int32_t* slots, std::size_t cells, std::size_t n) { \
        slotted_loop(sums, row, ids, slots, cells, n);                                             \
    }

KELVANE_ROW_LOOKUPS(plain, )

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

KELVANE_ROW_LOOKUPS(avx512, [[gnu::target("avx512f")]])
KELVANE_ROW_LOOKUPS(avx2, [[gnu::target("avx2")]])

Version best_version() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) {
        return {int_avx512, real_avx512, slotted_int_avx512, slotted_real_avx512, "avx512"};
    }
    if (__builtin_cpu_supports("avx2")) {
        return {int_avx2, real_avx2, slotted_int_avx2, slotted_real_avx2, "avx2"};
    }
    return {int_plain, real_plain, slotted_int_plain, slotted_real_plain, "plain"};
}

#else

Version best_version() {
    return {int_plain, real_plain, slotted_int_plain, slotted_real_plain, "plain"};
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

void add_looked_up(int64_t* sums, const int64_t* row, const int32_t* ids, const int32_t* slots,
                   std::size_t slot_cells, std::size_t n) {
    version().slotted_int(sums, row, ids, slots, slot_cells, n);
}

void add_looked_up(double* sums, const double* row, const int32_t* ids, const int32_t* slots,
                   std::size_t slot_cells, std::size_t n) {
    version().slotted_real(sums, row, ids, slots, slot_cells, n);
}

const char* row_lookup_version() {
    return version().name;
}

}  // namespace kelvane
