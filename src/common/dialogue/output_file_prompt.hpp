// Asking for the name of a result file until one can be opened, and reporting a result file
// whose writing failed.
#pragma once

#include <functional>
#include <string>

#include "common/core/file_io.hpp"
#include "common/dialogue/console.hpp"
#include "common/dialogue/dialogue_only.hpp"

namespace clonal {

struct NamedOutputFile {
    std::string name;
    OutputFile file;
};

// A name that must not be opened (for instance the file a run is writing to already).
using RefusedName = std::function<bool(const std::string& name)>;

// Whether two names are one existing file (through links and other spellings of the path): a
// result named as a file the run reads would replace what is being analysed.
bool same_file(const std::string& name, const std::string& other);

// Prints prompt, reads a whole line as the name and opens it; when it cannot be opened, or
// refused says so, prints error and asks again, as often as needed.
NamedOutputFile ask_output_file(Console& console, const char* prompt, const char* error,
                                WriteMode mode, const RefusedName& refused = {});

// Closes the file; when any of its writes failed, prints error and returns false.
bool close_reporting_failure(OutputFile& file, Console& console, const char* error);

}  // namespace clonal
