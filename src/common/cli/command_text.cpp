// Shell quoting of the words of a command.
#include "common/cli/command_text.hpp"

namespace clonal::cli {
namespace {

bool needs_no_quotes(const std::string& word) {
    if (word.empty()) {
        return false;
    }
    for (const char c : word) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '/' ||
                           c == ',' || c == ':' || c == '=' || c == '+' || c == '@';
        if (!plain) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string command_text(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty()) {
            text += ' ';
        }
        if (needs_no_quotes(word)) {
            text += word;
            continue;
        }
        // Inside single quotes everything is literal but the quote itself, which is closed,
        // escaped and reopened.
        text += '\'';
        for (const char c : word) {
            text += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        text += '\'';
    }
    return text;
}

}  // namespace clonal::cli
