// The console answers of both programs: every answer the user types is read through one Console,
// which implements the answer rules once.
//
// - A numeric answer is one number; white space and empty lines before it are skipped, the rest
//   of its input line is then read and discarded. A line that holds no number leaves the variable
//   as it was.
// - File names and yes/no answers are whole lines; a trailing carriage return is removed.
// - When an answer is needed and the input has ended (nothing but white space is left for a
//   number, nothing at all for a line), the run ends with "unexpected end of input".
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "common/core/fatal_error.hpp"
#include "common/dialogue/dialogue_only.hpp"
#include "common/text/printf.hpp"

namespace clonal {

class Console {
  public:
    Console(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

    std::ostream& out() { return out_; }

    void print(const char* fmt, ...) CLONAL_PRINTF_FORMAT(2, 3);

    // An integer answer as scanf's %d reads it; a number outside the 32-bit range counts as no
    // number. True when the line held a number.
    bool read_int(int32_t& value);

    // Prints prompt and reads an integer answer until the value is accepted: start at first, then
    // the last number typed (an answer without a number keeps the value it had).
    template <class Accept>
    int32_t ask_int_until(const char* prompt, int32_t start, Accept accepted) {
        int32_t value = start;
        while (!accepted(value)) {
            print("%s", prompt);
            read_int(value);
        }
        return value;
    }

    // A real answer as scanf's %f reads it, rounded once to single precision; infinities and
    // values that are not numbers count as no number. True when the line held a number.
    bool read_float(float& value);

    // One whole input line without its line end.
    std::string read_line();

    // A whole line whose first character is "y" or "Y".
    bool read_yes();

    // The first character of a whole input line, or '\0' for an empty line.
    char read_first_char();

  private:
    // Skips white space, line ends included; ends the run when the input ends there.
    void skip_space_before_number();
    // The rest of the current input line, its line end read and dropped.
    std::string rest_of_line();

    std::istream& in_;
    std::ostream& out_;
};

// Raised when an answer is needed and standard input has ended.
inline FatalError end_of_input_error() {
    return FatalError("\nERROR: unexpected end of input\n")
        .printed(ErrorStream::kConsole, ErrorLead::kNone);
}

}  // namespace clonal
