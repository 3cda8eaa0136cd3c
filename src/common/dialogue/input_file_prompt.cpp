// The input file prompt of both programs.
#include "common/dialogue/input_file_prompt.hpp"

#include "common/core/file_io.hpp"

namespace clonal {
namespace {

bool has_three_letter_extension(const std::string& name) {
    return name.size() >= 4 && name[name.size() - 4] == '.';
}

}  // namespace

InputFile open_input_file(Console& console, AfterOffer after_offer) {
    for (;;) {
        console.print("\n\nGive name of input file: ");
        std::string name = console.read_line();
        if (auto content = read_file(name)) {
            return {std::move(name), std::move(*content)};
        }
        console.print("ERROR: Could not open input-file\n");
        if (has_three_letter_extension(name)) {
            continue;
        }
        console.print("\nTry opening %s.txt (y/n)? ", name.c_str());
        const bool yes = console.read_yes();
        if (after_offer == AfterOffer::kLineEnd) {
            console.print("\n");
        }
        if (!yes) {
            continue;
        }
        name += ".txt";
        if (auto content = read_file(name)) {
            return {std::move(name), std::move(*content)};
        }
        console.print("ERROR: Could not open input-file\n");
    }
}

}  // namespace clonal
