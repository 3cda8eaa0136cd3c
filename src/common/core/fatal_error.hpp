// The error that ends a program run: it carries the exact text to print and the stream it goes
// to. Only the program's entry point catches it, prints it and ends with exit status 1.
#pragma once

#include <new>
#include <stdexcept>
#include <string>

namespace clonal {

enum class ErrorStream { kConsole, kErrorStream };

class FatalError : public std::runtime_error {
  public:
    explicit FatalError(const std::string& message, ErrorStream stream = ErrorStream::kConsole)
        : std::runtime_error(message), stream_(stream) {}

    ErrorStream stream() const { return stream_; }

  private:
    ErrorStream stream_;
};

// Runs action and returns what it returns; when memory runs out inside it (std::bad_alloc, or a
// size beyond what a container can hold), the run ends with message instead.
template <class Action>
auto with_memory_message(const std::string& message, Action&& action,
                         ErrorStream stream = ErrorStream::kConsole) -> decltype(action()) {
    try {
        return action();
    } catch (const std::bad_alloc&) {
        throw FatalError(message, stream);
    } catch (const std::length_error&) {
        throw FatalError(message, stream);
    }
}

// Raised by the console when an answer is needed and standard input has ended.
inline FatalError end_of_input_error() {
    return FatalError("\nERROR: unexpected end of input\n");
}

}  // namespace clonal
