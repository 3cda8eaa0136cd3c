// The sentence of an error with its setting named.
#include "common/core/fatal_error.hpp"

namespace clonal {

std::string FatalError::naming(std::string_view sentence, std::string_view name) {
    std::string text(sentence);
    const std::size_t mark = text.find(kSettingMark);
    if (mark != std::string::npos) {
        text.replace(mark, kSettingMark.size(), name);
    }
    return text;
}

std::string FatalError::sentence(
    const std::function<std::string(std::string_view)>& name_of) const {
    return setting_.empty() ? std::string(what()) : naming(marked_, name_of(setting_));
}

}  // namespace clonal
