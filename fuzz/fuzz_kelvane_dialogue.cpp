// Fuzz target: the whole kelvane dialogue driven by an arbitrary answer stream, in a folder of
// small input files.
#include <cstddef>
#include <cstdint>

#include "dialogue_folder.hpp"
#include "kelvane/dialogue/kelvane_program.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::run_dialogue(kelvane::dialogue::run_kelvane, data, size);
    return 0;
}
