// The error that ends a program run: it carries the exact text to print and the stream it goes
// to. Only the program's entry point catches it, prints it and ends with exit status 1.
#pragma once

#include <cstdint>
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

// Memory that ran out where a working array is allocated; the message names the array.
class MemoryError : public FatalError {
  public:
    using FatalError::FatalError;
};

// A fatal error in the text of an input file, with the line (from 1) where reading stopped and,
// where a reader knows it, the column (from 1; 0 when unknown).
class InputError : public FatalError {
  public:
    InputError(const std::string& message, int64_t line, int64_t column = 0)
        : FatalError(message), line_(line), column_(column) {}

    int64_t line() const { return line_; }
    int64_t column() const { return column_; }

  private:
    int64_t line_;
    int64_t column_;
};

// Runs read, turning a FatalError it throws into an InputError at line(); an InputError or a
// MemoryError passes as it is.
template <class Read, class Line>
auto reporting_line(Read&& read, Line&& line) -> decltype(read()) {
    try {
        return read();
    } catch (const InputError&) {
        throw;
    } catch (const MemoryError&) {
        throw;
    } catch (const FatalError& error) {
        if (error.stream() != ErrorStream::kConsole) {
            throw;
        }
        throw InputError(error.what(), line());
    }
}

}  // namespace clonal
