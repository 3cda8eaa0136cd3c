// Tab-separated tables.
#include "common/text/tsv_writer.hpp"

#include <charconv>
#include <cmath>

namespace clonal {

std::string shortest_real(double value) {
    // A value that does not exist (0/0, and a quotient by 0) is NA; zero has no sign.
    if (!std::isfinite(value)) {
        return "NA";
    }
    if (value == 0.0) {
        return "0";
    }
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::string(digits, static_cast<std::size_t>(end - digits));
}

std::string distance_text(double value) {
    constexpr double kExactWhole = 9007199254740992.0;  // 2^53
    if (value == std::floor(value) && std::fabs(value) < kExactWhole) {
        return std::to_string(static_cast<int64_t>(value));
    }
    return shortest_real(value);
}

void TsvWriter::header(std::initializer_list<std::string_view> columns) {
    for (const std::string_view column : columns) {
        text(column);
    }
    end_row();
}

void TsvWriter::separate() {
    if (row_started_) {
        text_.append("\t");
    }
    row_started_ = true;
}

std::string TsvWriter::cell_text(std::string_view value) {
    std::string cell(value);
    for (char& c : cell) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return cell;
}

TsvWriter& TsvWriter::text(std::string_view value) {
    separate();
    std::size_t start = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\t' || value[i] == '\n' || value[i] == '\r') {
            text_.append(value.substr(start, i - start));
            text_.append(" ");
            start = i + 1;
        }
    }
    text_.append(value.substr(start));
    return *this;
}

void TsvWriter::rows(std::string_view formatted) { text_.append(formatted); }

TsvWriter& TsvWriter::integer(int64_t value) {
    separate();
    text_.append_number(value);
    return *this;
}

TsvWriter& TsvWriter::real(double value) {
    separate();
    text_.append(shortest_real(value));
    return *this;
}

TsvWriter& TsvWriter::missing() {
    separate();
    text_.append("NA");
    return *this;
}

void TsvWriter::end_row() {
    text_.append("\n");
    row_started_ = false;
}

bool TsvWriter::flush() {
    text_.flush();
    return text_.good();
}

}  // namespace clonal
