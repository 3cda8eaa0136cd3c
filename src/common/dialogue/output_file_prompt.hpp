// Asking for the name of a result file until one can be opened, and reporting a result file
// whose writing failed.
#pragma once

#include <string>

#include "console.hpp"
#include "file_io.hpp"

namespace clonal {

struct NamedOutputFile {
    std::string name;
    OutputFile file;
};

// Prints prompt, reads a whole line as the name and opens it; on failure prints error and asks
// again, as often as needed.
NamedOutputFile ask_output_file(Console& console, const char* prompt, const char* error,
                                WriteMode mode);

// Closes the file; when any of its writes failed, prints error and returns false.
bool close_reporting_failure(OutputFile& file, Console& console, const char* error);

}  // namespace clonal
