// A setting that takes one of a few words, each naming a value of an enumeration: one table per
// setting, from which the value of a word, the word of a value and the list of words come, so
// that the command line's choices, its help and the R functions' errors all read the same list.
#pragma once

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/core/fatal_error.hpp"

namespace clonal {

template <class Value>
struct NamedChoice {
    Value value;
    std::string_view name;
};

// The words of a table in its order.
template <class Value>
std::vector<std::string> choice_names(std::span<const NamedChoice<Value>> choices) {
    std::vector<std::string> names;
    for (const NamedChoice<Value>& choice : choices) {
        names.emplace_back(choice.name);
    }
    return names;
}

// "a, b or c".
std::string choice_list(const std::vector<std::string>& names);

// The value a word names; another word is a SettingError naming the setting and the words.
template <class Value>
Value choice_named(std::span<const NamedChoice<Value>> choices, std::string_view name,
                   const std::string& setting) {
    const auto found = std::ranges::find(choices, name, &NamedChoice<Value>::name);
    if (found == choices.end()) {
        throw SettingError("{setting} takes " + choice_list(choice_names(choices)) + ", not '" +
                               std::string(name) + "'",
                           setting);
    }
    return found->value;
}

// The word of a value (the table holds every value).
template <class Value>
std::string_view choice_name(std::span<const NamedChoice<Value>> choices, Value value) {
    const auto found = std::ranges::find(choices, value, &NamedChoice<Value>::value);
    return found == choices.end() ? std::string_view{} : found->name;
}

}  // namespace clonal
