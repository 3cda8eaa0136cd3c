// The machine's memory.
#include "common/core/machine_memory.hpp"

#include <unistd.h>

#include <cstdio>

#include "common/core/fatal_error.hpp"

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

void check_memory_for(const std::string& what, double bytes) {
    const uint64_t memory = physical_memory();
    if (memory == 0 || !(bytes > static_cast<double>(memory))) {
        return;
    }
    const std::string needed = bytes >= 1e18 ? std::string("more than a billion GB")
                                             : memory_size(static_cast<uint64_t>(bytes));
    throw MemoryError(what + " need " + needed + ", more than the " + memory_size(memory) +
                      " of this machine");
}

}  // namespace clonal
