// An array of many numbers that a computation reads out of order (such as a column of a
// triangular matrix): on Linux its memory is asked for in huge pages, so that the reads do not
// wait on the translation of one small page each. Its items start uninitialized.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>

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

// Memory for bytes aligned to a huge page, rounded up to whole huge pages and advised to be
// backed by them: every page of a large block then comes in one fault. Free with std::free.
inline void* huge_page_allocate(std::size_t bytes) {
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = std::aligned_alloc(kHugePage, rounded > 0 ? rounded : kHugePage);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    advise_huge_pages(memory, rounded);
    return memory;
}

// An allocator that leaves items uninitialized (construct without arguments does nothing) and
// gives blocks of a huge page or more in huge pages, for stores that are written before read.
template <class T>
struct UndefinedAllocator : std::allocator<T> {
    static constexpr std::size_t kLarge = std::size_t{2} << 20;

    template <class U>
    struct rebind {
        using other = UndefinedAllocator<U>;
    };
    T* allocate(std::size_t count) {
        if (count * sizeof(T) < kLarge) {
            return std::allocator<T>::allocate(count);
        }
        return static_cast<T*>(huge_page_allocate(count * sizeof(T)));
    }
    void deallocate(T* items, std::size_t count) {
        if (count * sizeof(T) < kLarge) {
            std::allocator<T>::deallocate(items, count);
        } else {
            std::free(items);
        }
    }
    template <class U>
    void construct(U* place) {
        ::new (static_cast<void*>(place)) U;
    }
    template <class U, class... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

template <class T>
class LargeArray {
  public:
    explicit LargeArray(std::size_t count)
        : size_(count), items_(static_cast<T*>(huge_page_allocate(count * sizeof(T)))) {}

    T* data() { return items_.get(); }
    const T* data() const { return items_.get(); }
    std::size_t size() const { return size_; }

  private:
    struct Free {
        void operator()(T* items) const { std::free(items); }
    };
    std::size_t size_;
    std::unique_ptr<T, Free> items_;
};

}  // namespace clonal
