// The folder the dialogue fuzz targets run in.
#include "dialogue_folder.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fuzzing {
namespace {

namespace fs = std::filesystem;

const char* const kFiles[][2] = {
    {"markers.txt",
     "Fuzz plants\n6 2 3 2 2\nnorth south\n1 n1 1012 2020 3030\n1 n2 1012 2022 0\n"
     "1 n3 1112 2020 3031\n2 s1 0 2122 3132\n2 s2 1014 2122 3132\n2 s3 1014 2123 3132\n"},
    {"haploid.txt",
     "Fuzz bands\n5 2 4 1 1\nA B\n1 a 1 8 1 1\n1 b 1 8 8 1\n2 c 8 1 1 0\n2 d 8 1 8 1\n"
     "2 e 1 1 1 8\n"},
    {"poly.txt",
     "Fuzz polyploids\n4 2 2 4 3\nP Q\n1 a 100102104106 98100\n1 b 100102 0\n"
     "2 c 102104106108 100100102\n2 d 104 98\n"},
    {"data.dat", "2 2 20 2\nlocA locB\n1 0102 0\n2 0303 0101\n1 02 0203\n2 0101 0102\n"},
    {"m.txt", "4\n6 2\n1 3 5\n0 2 4 6\n9 8 7 6 5\n"},
    {"sq.txt", "0 4 6 1 0 9\n4 0 2 3 2 8\n6 2 0 5 4 7\n1 3 5 0 6 6\n0 2 4 6 0 5\n9 8 7 6 5 0\n"},
    {"clonal.txt",
     "Fuzz clones\n3\nnorth\nsouth\neast\n1\t1\n1\t1\n1\t2\n2\t2\n2\t3\n2\t3\n3\t4\n3\t1\n"
     "3\t4\n0\t9\n1\t3\n"},
    {"clonal2.txt", "Second\n2\nA B\n1 1 1 2 2 1 2 2\n"},
};

fs::path& folder() {
    static fs::path path;
    return path;
}

}  // namespace

void prepare_dialogue_folder() {
    if (folder().empty()) {
        std::string pattern = (fs::temp_directory_path() / "dialogue-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        folder() = pattern;
        fs::current_path(folder());
    }
    for (const auto& entry : fs::directory_iterator(folder())) {
        fs::remove_all(entry.path());
    }
    for (const auto& file : kFiles) {
        std::ofstream(folder() / file[0], std::ios::binary) << file[1];
    }
}

bool answers_stay_small(const std::string& answers) {
    int digits_in_a_row = 0;
    for (const char c : answers) {
        if (c == '/' || c == '\\') {
            return false;
        }
        digits_in_a_row = (c >= '0' && c <= '9') ? digits_in_a_row + 1 : 0;
        if (digits_in_a_row > 3) {
            return false;
        }
    }
    return true;
}

void run_dialogue(const Dialogue& dialogue, const uint8_t* data, std::size_t size) {
    const std::string answers(reinterpret_cast<const char*>(data), size);
    if (!answers_stay_small(answers)) {
        return;
    }
    prepare_dialogue_folder();
    std::istringstream in(answers);
    std::ostringstream out;
    std::ostringstream err;
    dialogue(in, out, err);
}

}  // namespace fuzzing
