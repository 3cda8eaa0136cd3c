// Names fit for white-space separated formats.
#include "kelvane/data/export/word_names.hpp"

#include "common/text/characters.hpp"

namespace kelvane {

std::string WordNames::fit(const std::string& name, const std::string& stand_in) {
    std::string word = name.empty() ? stand_in : name;
    for (char& c : word) {
        if (clonal::is_white_space(c)) {
            c = '_';
        }
    }
    if (word.size() > longest_) {
        word.resize(longest_);
    }
    changed_ += word != name ? 1 : 0;
    return word;
}

}  // namespace kelvane
