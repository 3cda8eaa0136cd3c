// Fuzz target: the files a command line reads beside its data, through the whole command. The
// first byte chooses the file (bit 4: the repeat lengths, under the stepwise model; else bit 0:
// the populations file, else the matrix; bits 1-2: the matrix layout option; bit 3: a scale for
// real distances); the rest is its content. The data set is a small one whose names the fuzzer
// is likely to write.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "kelvane/cli/kelvane_cli.hpp"

namespace {

std::string write_scratch(const std::string& name, const std::string& content) {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("fuzz-command-line-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    static const std::string plants =
        write_scratch("plants.txt", "t\n4 2 1 2 1\nP Q\n1 a 12\n1 b 11\n2 s1 22\n2 c 12\n");
    const std::string content(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string> arguments{"thresholds", plants, "--quiet", "--threads", "1"};
    if ((data[0] & 16) != 0) {
        arguments.insert(arguments.end(), {"--distance", "stepwise", "--repeat-lengths",
                                           write_scratch("repeats.txt", content)});
    } else if ((data[0] & 1) != 0) {
        arguments.insert(arguments.end(), {"--populations", write_scratch("pops.txt", content)});
    } else {
        static const char* const kLayouts[] = {"auto", "square", "lower", "auto"};
        arguments.insert(arguments.end(), {"--matrix", write_scratch("matrix.txt", content),
                                           "--matrix-layout", kLayouts[(data[0] >> 1) & 3]});
        if ((data[0] & 8) != 0) {
            arguments.insert(arguments.end(), {"--matrix-scale", "100"});
        }
    }
    std::ostringstream out;
    std::ostringstream err;
    const clonal::cli::Terminal terminal{out, err, false};
    kelvane::cli::run_kelvane_command_line(arguments, terminal);
    return 0;
}
