// Asking for result files and reporting failed writes.
#include "common/dialogue/output_file_prompt.hpp"

#include <filesystem>
#include <system_error>

namespace clonal {

bool same_file(const std::string& name, const std::string& other) {
    std::error_code error;
    return !other.empty() && std::filesystem::equivalent(name, other, error) && !error;
}

NamedOutputFile ask_output_file(Console& console, const char* prompt, const char* error,
                                WriteMode mode, const RefusedName& refused) {
    for (;;) {
        console.print("%s", prompt);
        NamedOutputFile named;
        named.name = console.read_line();
        if (!(refused && refused(named.name)) && named.file.open(named.name, mode)) {
            return named;
        }
        console.print("%s", error);
    }
}

bool close_reporting_failure(OutputFile& file, Console& console, const char* error) {
    if (file.close()) {
        return true;
    }
    console.print("%s", error);
    return false;
}

}  // namespace clonal
