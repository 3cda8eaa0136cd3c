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
// The dialogue prints the error as stream and lead say (see FatalError::printed).
template <class Action>
auto with_memory_message(const std::string& message, Action&& action,
                         ErrorStream stream = ErrorStream::kConsole,
                         ErrorLead lead = ErrorLead::kColon) -> decltype(action()) {
    const auto fail = [&] [[noreturn]] () {
        MemoryError error(message);
        error.printed(stream, lead);
        throw error;
    };
    try {
        return action();
    } catch (const std::bad_alloc&) {
        fail();
    } catch (const std::length_error&) {
        fail();
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
