// An option that takes one word of a setting's table of choices and holds the value it names.
#pragma once

#include <CLI/CLI.hpp>
#include <span>
#include <string>

#include "common/core/named_choices.hpp"

namespace clonal::cli {

// Checks the word against the table and turns it into its value for an option of the
// enumeration; another word is refused with the list, "takes a, b or c, not 'x'".
template <class Value>
CLI::Validator choice_words(std::span<const NamedChoice<Value>> choices) {
    const std::string list = choice_list(choice_names(choices));
    std::string words;
    for (const NamedChoice<Value>& choice : choices) {
        words += (words.empty() ? "" : ",") + std::string(choice.name);
    }
    return CLI::Validator(
        [choices, list](std::string& text) -> std::string {
            for (const NamedChoice<Value>& choice : choices) {
                if (choice.name == text) {
                    text = std::to_string(static_cast<int>(choice.value));
                    return {};
                }
            }
            return "takes " + list + ", not '" + text + "'";
        },
        "{" + words + "}");
}

}  // namespace clonal::cli
