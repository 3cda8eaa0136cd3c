// Fuzz target: the whole marsyl dialogue driven by an arbitrary answer stream, in a folder of
// small input files, with the clock standing still.
#include <cstddef>
#include <cstdint>

#include "dialogue_folder.hpp"
#include "marsyl/dialogue/marsyl_program.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::run_dialogue(marsyl::dialogue::run_marsyl_for_tests, data, size);
    return 0;
}
