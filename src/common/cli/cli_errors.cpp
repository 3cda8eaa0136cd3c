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
    return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

std::string option_of(std::string_view setting) {
    std::string option = "--";
    for (const char c : setting) {
        option += c == '_' ? '-' : c;
    }
    return option;
}

std::string sentence_of(const FatalError& error) {
    return one_line(error.sentence(option_of));
}

std::string message_of(const FatalError& error) {
    std::string message = sentence_of(error);
    if (!error.file().empty()) {
        if (error.kind() == ErrorKind::kFile) {
            message = error.file() + ": " + message;
        } else {
            message += ", " + error.file();
            if (error.line() > 0) {
                message += " line " + std::to_string(error.line());
                if (error.column() > 0) {
                    message += " column " + std::to_string(error.column());
                }
            }
        }
    }
    if (const std::string advice = error.advice(option_of); !advice.empty()) {
        message.append(" ").append(one_line(advice));
    }
    return message;
}

DataError file_error(const std::string& file, const FatalError& error) {
    if (!error.file().empty()) {
        return DataError(message_of(error));
    }
    FatalError placed = error;
    placed.in_file(file);
    return DataError(message_of(placed));
}

}  // namespace clonal::cli
