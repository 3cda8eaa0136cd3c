// Working arrays of the distance models that cannot be allocated end the run with the message
// that names them, as every other fatal error does.
#pragma once

#include <new>
#include <stdexcept>

#include "distance_models.hpp"
#include "fatal_error.hpp"

namespace kelvane {

// Runs computation(); an allocation that fails inside it (on any worker) becomes a FatalError
// carrying message.
template <class Computation>
DistanceResult ending_run_without_memory(const char* message, Computation computation) {
    return clonal::with_memory_message(message, computation);
}

// The message of the models whose working arrays have no name of their own.
inline constexpr const char* kDistanceMemoryMessage =
    "ERROR: distance working arrays malloc failed, more memory needed";

}  // namespace kelvane
