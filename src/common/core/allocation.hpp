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

[[noreturn]] inline void throw_memory_error(const std::string& message, ErrorStream stream,
                                            ErrorLead lead) {
    MemoryError error(message);
    error.printed(stream, lead);
    throw error;
}

// Runs action and returns what it returns; when memory runs out inside it (std::bad_alloc, or a
// size beyond what a container can hold), a MemoryError carrying message is thrown instead.
// The dialogue prints the error as stream and lead say (see FatalError::printed).
template <class Action>
auto with_memory_message(const std::string& message, Action&& action,
                         ErrorStream stream = ErrorStream::kConsole,
                         ErrorLead lead = ErrorLead::kColon) -> decltype(action()) {
    try {
        return action();
    } catch (const std::bad_alloc&) {
        throw_memory_error(message, stream, lead);
    } catch (const std::length_error&) {
        throw_memory_error(message, stream, lead);
    }
}

// count value-initialised elements, or a MemoryError carrying message.
template <class T>
std::vector<T> allocate_or_fail(std::size_t count, const std::string& message,
                                ErrorStream stream = ErrorStream::kConsole,
                                ErrorLead lead = ErrorLead::kColon) {
    return with_memory_message(
        message, [count] { return std::vector<T>(count); }, stream, lead);
}

}  // namespace clonal
