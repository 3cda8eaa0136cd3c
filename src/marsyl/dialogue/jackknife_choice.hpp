// Menu choice 4: the jackknife curves of every population in the report.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "common/dialogue/dialogue_only.hpp"
#include "marsyl/core/jackknife.hpp"
#include "marsyl/dialogue/marsyl_run.hpp"

namespace marsyl::dialogue {

void jackknife(MarsylRun& run);

// One population's block of the report: its name line, the header, a row per subsample size
// from 2 to n - 1 and the row of the whole sample.
void write_jackknife_population(std::ostream& report, int32_t number, const std::string& name,
                                int32_t n, const JackknifeCurve& curve);

}  // namespace marsyl::dialogue
