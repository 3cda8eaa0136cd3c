// An array of many numbers that a computation reads out of order (such as a column of a
// triangular matrix): on Linux its memory is asked for in huge pages, so that the reads do not
// wait on the translation of one small page each. Its items start uninitialized.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace clonal {

// Asks for the whole huge pages within bytes of memory from data to be backed by huge pages
// (advice only: where the system declines, small pages), for a large block written once in order.
inline void advise_huge_pages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + kHugePage - 1) / kHugePage * kHugePage;
    const std::uintptr_t last = (start + bytes) / kHugePage * kHugePage;
    if (data != nullptr && last > first) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#endif
}

template <class T>
class LargeArray {
  public:
    explicit LargeArray(std::size_t count) : size_(count) {
        constexpr std::size_t kHugePage = std::size_t{2} << 20;
        const std::size_t bytes = (count * sizeof(T) + kHugePage - 1) / kHugePage * kHugePage;
        void* memory = std::aligned_alloc(kHugePage, bytes > 0 ? bytes : kHugePage);
        if (memory == nullptr) {
            throw std::bad_alloc();
        }
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        madvise(memory, bytes, MADV_HUGEPAGE);  // advice only: without it, small pages
#endif
        items_.reset(static_cast<T*>(memory));
    }

    T* data() {
        return items_.get();
    }
    const T* data() const {
        return items_.get();
    }
    std::size_t size() const {
        return size_;
    }

  private:
    struct Free {
        void operator()(T* items) const { std::free(items); }
    };
    std::size_t size_;
    std::unique_ptr<T, Free> items_;
};

}  // namespace clonal
