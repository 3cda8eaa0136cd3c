// The words of a setting's choices in a sentence.
#include "common/core/named_choices.hpp"

namespace clonal {

std::string choice_list(const std::vector<std::string>& names) {
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        list += i == 0 ? "" : i + 1 == names.size() ? " or " : ", ";
        list += names[i];
    }
    return list;
}

}  // namespace clonal
