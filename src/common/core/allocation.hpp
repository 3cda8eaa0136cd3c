// Allocation of the working arrays of the analyses: an array that cannot be allocated ends the
// run with the message that names it, as every other fatal error does.
#pragma once

#include <cstddef>
#include <new>
#include <stdexcept>
#include <vector>

#include "fatal_error.hpp"

namespace kelvane {

// count value-initialised elements, or a FatalError carrying message on the given stream.
template <class T>
std::vector<T> zeroed_vector_or_fail(std::size_t count, const char* message,
                                     clonal::ErrorStream stream = clonal::ErrorStream::kConsole) {
    return clonal::with_memory_message(
        message, [count] { return std::vector<T>(count); }, stream);
}

}  // namespace kelvane
