// Names fit for white-space separated formats.
#include "kelvane/data/export/word_names.hpp"

#include <algorithm>

#include "common/text/characters.hpp"

namespace kelvane {
namespace {

// The longest start of word of at most bytes bytes that does not end inside a UTF-8 character.
std::string whole_characters(const std::string& word, std::size_t bytes) {
    if (word.size() <= bytes) {
        return word;
    }
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(word[end]) & 0xC0U) == 0x80U) {
        --end;
    }
    return word.substr(0, end);
}

}  // namespace

std::string WordNames::fit(const std::string& name, const std::string& stand_in) {
    std::string word = name.empty() ? stand_in : name;
    for (char& c : word) {
        if (clonal::is_white_space(c)) {
            c = '_';
        }
    }
    word = whole_characters(word, longest_);
    if (!given_.insert(word).second) {
        for (int k = 2;; ++k) {
            std::string number(1, '_');
            number += std::to_string(k);
            std::string numbered =
                whole_characters(word, longest_ - std::min(longest_, number.size()));
            numbered += number;
            if (given_.insert(numbered).second) {
                word = std::move(numbered);
                break;
            }
        }
    }
    if (word != name) {
        changes_.emplace_back(name, word);
    }
    return word;
}

std::string WordNames::changes_text(std::size_t shown) const {
    std::string text;
    for (std::size_t i = 0; i < changes_.size() && i < shown; ++i) {
        text += i == 0 ? "'" : ", '";
        text += changes_[i].first;
        text += "' as ";
        text += changes_[i].second;
    }
    if (changes_.size() > shown) {
        text += " and " + std::to_string(changes_.size() - shown) + " more";
    }
    return text;
}

}  // namespace kelvane
