// Fuzz target: the whole marsyl dialogue driven by an arbitrary answer stream, in a folder of
// small input files, with the clock standing still.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "dialogue_folder.hpp"
#include "marsyl_program.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string answers(reinterpret_cast<const char*>(data), size);
    if (!fuzzing::answers_stay_small(answers)) {
        return 0;
    }
    fuzzing::prepare_dialogue_folder();
    std::istringstream in(answers);
    std::ostringstream out;
    std::ostringstream err;
    marsyl::run_marsyl_for_tests(in, out, err);
    return 0;
}
