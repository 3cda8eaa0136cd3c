// How far a long computation has come: units of work done out of a total, reported now and then
// on the thread that started the computation. Reporting never changes a result.
#pragma once

#include <cstdint>
#include <functional>

namespace clonal {

using ProgressReport = std::function<void(uint64_t done, uint64_t total)>;

}  // namespace clonal
