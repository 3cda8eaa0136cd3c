// Command-line conventions and fatal errors of both programs.
#include "program_entry.hpp"

#include "fatal_error.hpp"

namespace clonal {

std::optional<int> handle_arguments(std::span<const std::string> arguments, const ProgramInfo& info,
                                    std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        return std::nullopt;
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        out << info.name << ' ' << info.version << '\n';
        return 0;
    }
    if (arguments.size() == 1 && arguments[0] == "--help") {
        out << info.help;
        return 0;
    }
    err << info.name << ": unknown argument '" << arguments[0] << "'\n"
        << "Try '" << info.name << " --help' for more information.\n";
    return 2;
}

int run_reporting_fatal_errors(const std::function<int()>& dialogue, std::ostream& out,
                               std::ostream& err) {
    try {
        return dialogue();
    } catch (const FatalError& error) {
        std::ostream& stream = error.stream() == ErrorStream::kErrorStream ? err : out;
        out.flush();
        stream << error.what();
        stream.flush();
        return 1;
    }
}

}  // namespace clonal
