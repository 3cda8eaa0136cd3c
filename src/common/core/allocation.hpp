// Working arrays whose size the user or the data decide: when one cannot be allocated, the run
// ends with the message that names it, as every other fatal error does.
#pragma once

#include <cstddef>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/core/fatal_error.hpp"

namespace clonal {

// Runs action and returns what it returns; when memory runs out inside it (std::bad_alloc, or a
// size beyond what a container can hold), a MemoryError carrying message is thrown instead.
template <class Action>
auto with_memory_message(const std::string& message, Action&& action,
                         ErrorStream stream = ErrorStream::kConsole) -> decltype(action()) {
    try {
        return action();
    } catch (const std::bad_alloc&) {
        throw MemoryError(message, stream);
    } catch (const std::length_error&) {
        throw MemoryError(message, stream);
    }
}

// count value-initialised elements, or a FatalError carrying message.
template <class T>
std::vector<T> allocate_or_fail(std::size_t count, const std::string& message,
                                ErrorStream stream = ErrorStream::kConsole) {
    return with_memory_message(
        message, [count] { return std::vector<T>(count); }, stream);
}

}  // namespace clonal
