// The seeds that the user types for the generator.
#pragma once

#include <cstdint>
#include <string_view>

namespace marsyl {

// The decimal real number at the start of the answer (after white space), truncated toward zero
// and held inside the 32-bit range; 0 when the answer holds no number.
int32_t seed_from_answer(std::string_view answer);

}  // namespace marsyl
