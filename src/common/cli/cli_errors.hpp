// The two ways a command-line run fails: bad usage (exit status 2) and bad data or a failed
// write (exit status 1). Each carries the one line that follows "program: error: ".
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "common/core/fatal_error.hpp"

namespace clonal::cli {

inline constexpr int kDataFailure = 1;
inline constexpr int kUsageFailure = 2;

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class DataError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Text for a line of standard error: control characters (from a data file: ESC, BEL, a line
// end) written as escapes such as \x1b, so that a message can neither drive the terminal nor
// break into several lines.
std::string printable(std::string_view text);

// A message as one line: line ends become blanks, blanks around it go.
std::string one_line(const std::string& message);

// The option of a setting of the library: "--structure-rows" for structure_rows.
std::string option_of(std::string_view setting);

// The sentence of an error of the library as one line, its settings named by their options.
std::string sentence_of(const FatalError& error);

// The one line of an error of the library: the sentence, then its place (", file line n column
// c"; "file: " before the sentence of a file that cannot be read) and its advice.
std::string message_of(const FatalError& error);

// The DataError of an error met in reading file (message_of, the error's file taken as file when
// it names none).
DataError file_error(const std::string& file, const FatalError& error);

}  // namespace clonal::cli
