// The compact store of allele copies. A store given up is swapped with an empty one: assigning {}
// would keep its memory.
#include "kelvane/data/allele_copies.hpp"

#include <algorithm>

namespace kelvane {

void AlleleCopies::assign(std::size_t count, int32_t value) {
    wide_ = !fits_byte(value);
    if (wide_) {
        std::vector<uint8_t>().swap(bytes_);
        ints_.assign(count, value);
    } else {
        std::vector<int32_t>().swap(ints_);
        bytes_.assign(count, static_cast<uint8_t>(value));
    }
}

void AlleleCopies::assign_bytes(std::vector<uint8_t> bytes) {
    wide_ = false;
    std::vector<int32_t>().swap(ints_);
    bytes_ = std::move(bytes);
}

void AlleleCopies::assign_values(std::span<const int32_t> values) {
    wide_ = !std::ranges::all_of(values, fits_byte);
    if (wide_) {
        std::vector<uint8_t>().swap(bytes_);
        ints_.assign(values.begin(), values.end());
    } else {
        std::vector<int32_t>().swap(ints_);
        bytes_.assign(values.size(), 0);
        std::ranges::transform(values, bytes_.begin(),
                               [](int32_t value) { return static_cast<uint8_t>(value); });
    }
}

void AlleleCopies::widen() {
    ints_.assign(bytes_.begin(), bytes_.end());
    std::vector<uint8_t>().swap(bytes_);
    wide_ = true;
}

}  // namespace kelvane
