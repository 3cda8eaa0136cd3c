// The machine's memory.
#include "common/core/machine_memory.hpp"

#include <unistd.h>

#include <cstdio>

namespace clonal {

uint64_t physical_memory() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long page_size = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || page_size <= 0) {
        return 0;
    }
    return static_cast<uint64_t>(pages) * static_cast<uint64_t>(page_size);
}

std::string memory_size(uint64_t bytes) {
    constexpr double kMegabyte = 1024.0 * 1024.0;
    constexpr double kGigabyte = kMegabyte * 1024.0;
    char text[32];
    const auto value = static_cast<double>(bytes);
    if (value >= kGigabyte) {
        std::snprintf(text, sizeof text, "%.1f GB", value / kGigabyte);
    } else {
        std::snprintf(text, sizeof text, "%.0f MB", value / kMegabyte);
    }
    return text;
}

}  // namespace clonal
