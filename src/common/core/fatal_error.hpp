// The error that ends a program run: it carries the exact text to print and the stream it goes
// to. Only the program's entry point catches it, prints it and ends with exit status 1.
#pragma once

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

}  // namespace clonal
