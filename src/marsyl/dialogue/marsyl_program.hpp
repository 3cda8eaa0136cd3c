// The whole run of marsyl on a console given as streams, with the local clock given too so that
// a run can be repeated exactly.
#pragma once

#include <ctime>
#include <istream>
#include <ostream>

#include "common/dialogue/program_entry.hpp"
#include "marsyl/dialogue/marsyl_run.hpp"

namespace marsyl::dialogue {

inline constexpr double kVersion = 1.1;

// Follows "Marsyl version 1.1" in the banner and in the header of every report.
inline constexpr const char* kCredit = " - clonal diversity, by the clonal genotypes team";

// The fixed time of the test runs: Tuesday 9 April 2024, 10:15:30, the 100th day of the year.
std::tm test_local_time();

// Runs the dialogue on in and out; fatal errors are printed on their stream. The exit status.
int run_marsyl(std::istream& in, std::ostream& out, std::ostream& err, const LocalClock& clock);

// run_marsyl with the clock standing still at test_local_time().
int run_marsyl_for_tests(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace marsyl::dialogue
