// Escaping for XML and HTML: UTF-8 read sequence by sequence, so that a broken sequence is
// replaced as a whole byte by byte and never passed on.
#include "common/text/markup_escape.hpp"

namespace clonal {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the valid UTF-8 sequence at the start of text, or 0 when it is not one.
std::size_t utf8_sequence(std::string_view text, char32_t& code_point) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        code_point = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1Fu;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0Fu;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (byte(i) & 0x3Fu);
    }
    // Overlong forms, surrogates and values beyond Unicode are not valid UTF-8.
    if (value < smallest || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
        return 0;
    }
    code_point = value;
    return length;
}

// Characters that XML 1.0 does not allow in a document at all.
bool forbidden_in_xml(char32_t c) {
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0xFFFE || c == 0xFFFF;
}

}  // namespace

std::string escape_markup(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    while (!text.empty()) {
        char32_t c = 0;
        const std::size_t length = utf8_sequence(text, c);
        if (length == 0) {
            escaped += kReplacement;
            text.remove_prefix(1);
            continue;
        }
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                if (forbidden_in_xml(c)) {
                    escaped += kReplacement;
                } else {
                    escaped.append(text.substr(0, length));
                }
        }
        text.remove_prefix(length);
    }
    return escaped;
}

}  // namespace clonal
