// The memory of the machine, for refusing at the start a run that could never fit it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace clonal {

// The physical memory in bytes, or 0 when the system does not tell.
uint64_t physical_memory();

// "1.5 GB", "640 MB": a size for a message, in binary units.
std::string memory_size(uint64_t bytes);

// Refuses at the start a run whose working arrays would not fit the machine: when bytes (what
// they hold, named by what: "the pairs of 30000 ramets") exceed the physical memory, a
// MemoryError saying how much they need and how much there is. Nothing when the system does not
// tell its memory.
void check_memory_for(const std::string& what, double bytes);

}  // namespace clonal
