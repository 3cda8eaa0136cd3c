// The messages of failed command-line runs.
#include "common/cli/cli_errors.hpp"

#include <string_view>

namespace clonal::cli {

std::string printable(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xf];
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string one_line(const std::string& message) {
    std::string line;
    for (const char c : message) {
        const bool line_end = c == '\n' || c == '\r';
        if (!line_end) {
            line += c;
        } else if (!line.empty() && line.back() != ' ') {
            line += ' ';
        }
    }
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    std::string_view text(line);
    text = text.substr(first, line.find_last_not_of(' ') - first + 1);
    if (text.starts_with("ERROR: ")) {
        text.remove_prefix(7);
    } else if (text.starts_with("ERROR ")) {
        text.remove_prefix(6);
    }
    return std::string(text);
}

DataError file_error(const std::string& file, const FatalError& error) {
    std::string message = one_line(error.what()) + ", " + file;
    if (const auto* input = dynamic_cast<const InputError*>(&error)) {
        message += " line " + std::to_string(input->line());
        if (input->column() > 0) {
            message += " column " + std::to_string(input->column());
        }
    }
    return DataError(message);
}

}  // namespace clonal::cli
