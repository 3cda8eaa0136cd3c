// What both programs do around their dialogue: the command-line conventions (no arguments runs
// the dialogue, --version, --help, anything else is refused) and the turning of a fatal error
// into its message and exit status 1.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "common/dialogue/dialogue_only.hpp"

namespace clonal {

struct ProgramInfo {
    std::string name;     // as typed on the command line, e.g. "kelvane"
    std::string version;  // e.g. "1.2"
    std::string help;     // the text of --help
};

// The exit status when the arguments end the run by themselves (--version, --help, an unknown
// argument), or nothing when the dialogue is to run (no arguments).
std::optional<int> handle_arguments(std::span<const std::string> arguments, const ProgramInfo& info,
                                    std::ostream& out, std::ostream& err);

// Runs the dialogue; a fatal error prints its message on its stream and gives exit status 1, and
// so does memory running out where no working array of the run names it.
int run_reporting_fatal_errors(const std::function<int()>& dialogue, std::ostream& out,
                               std::ostream& err);

// The exit status once out is flushed: status, or 1 with a message on err when out could not be
// written (standard output on a full disk), since the run's transcript is then lost.
int finish_output(std::ostream& out, std::ostream& err, const ProgramInfo& info, int status);

}  // namespace clonal
