// What both programs do around their dialogue: the turning of a fatal error into its message and
// exit status 1, and the check that the transcript reached standard output.
#pragma once

#include <functional>
#include <ostream>

#include "common/core/program_info.hpp"
#include "common/dialogue/dialogue_only.hpp"

namespace clonal {

// Runs the dialogue; a fatal error prints its message on its stream and gives exit status 1, and
// so does memory running out where no working array of the run names it.
int run_reporting_fatal_errors(const std::function<int()>& dialogue, std::ostream& out,
                               std::ostream& err);

// The exit status once out is flushed: status, or 1 with a message on err when out could not be
// written (standard output on a full disk), since the run's transcript is then lost.
int finish_output(std::ostream& out, std::ostream& err, const ProgramInfo& info, int status);

}  // namespace clonal
