// The whole run of kelvane on a console given as streams.
#pragma once

#include <istream>
#include <ostream>

#include "common/dialogue/dialogue_only.hpp"

namespace kelvane::dialogue {

inline constexpr double kVersion = 1.2;

// Runs the dialogue on in and out; fatal errors are printed on their stream. The exit status.
int run_kelvane(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kelvane::dialogue
