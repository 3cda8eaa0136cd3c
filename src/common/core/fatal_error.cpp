// The sentence of an error with its settings named.
#include "common/core/fatal_error.hpp"

namespace clonal {

std::string FatalError::naming(std::string_view sentence, std::string_view setting,
                               const std::function<std::string(std::string_view)>& name_of) {
    // Only the sentence of an error about a setting names settings: any other may quote data.
    if (setting.empty()) {
        return std::string(sentence);
    }
    const auto is_name = [](char c) { return (c >= 'a' && c <= 'z') || c == '_'; };
    std::string text;
    std::size_t at = 0;
    while (at < sentence.size()) {
        const std::size_t open = sentence.find('{', at);
        const std::size_t close = open == std::string_view::npos ? open : sentence.find('}', open);
        if (close == std::string_view::npos) {
            break;
        }
        std::string_view name = sentence.substr(open + 1, close - open - 1);
        bool marked = !name.empty();
        for (const char c : name) {
            marked = marked && is_name(c);
        }
        text.append(sentence.substr(at, open - at));
        if (!marked) {
            text += '{';
            at = open + 1;
            continue;
        }
        if (name == kSettingMark.substr(1, kSettingMark.size() - 2)) {
            name = setting;
        }
        text += name_of ? name_of(name) : std::string(name);
        at = close + 1;
    }
    text.append(sentence.substr(at));
    return text;
}

std::string FatalError::sentence(
    const std::function<std::string(std::string_view)>& name_of) const {
    return naming(marked_, setting_, name_of);
}

std::string FatalError::advice(const std::function<std::string(std::string_view)>& name_of) const {
    // Advice is the library's own words: its marks are always settings.
    return naming(advice_, kSettingMark, name_of);
}

}  // namespace clonal
