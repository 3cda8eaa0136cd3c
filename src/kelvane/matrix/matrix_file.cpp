// The strict reading of a matrix file: words by line, the layout from the header or the count of
// values, each value checked in full.
#include "kelvane/matrix/matrix_file.hpp"

#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "common/text/characters.hpp"
#include "common/text/number_text.hpp"

namespace kelvane {
namespace {

struct Line {
    int64_t number = 0;  // from 1
    std::vector<std::string_view> words;
};

// The lines that hold words; a table with names is split at tabs only (names may hold blanks),
// any other file at blanks and tabs.
std::vector<Line> lines_of(std::string_view content, bool tabs_only) {
    if (content.substr(0, 3) == "\xEF\xBB\xBF") {
        content.remove_prefix(3);
    }
    std::vector<Line> lines;
    int64_t number = 0;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view text = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        ++number;
        if (!text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
        }
        Line line{number, {}};
        std::size_t at = 0;
        while (at <= text.size()) {
            if (tabs_only) {
                const std::size_t tab = text.find('\t', at);
                line.words.push_back(
                    text.substr(at, tab == std::string_view::npos ? text.npos : tab - at));
                if (tab == std::string_view::npos) {
                    break;
                }
                at = tab + 1;
                continue;
            }
            while (at < text.size() && clonal::is_white_space(text[at])) {
                ++at;
            }
            const std::size_t start = at;
            while (at < text.size() && !clonal::is_white_space(text[at])) {
                ++at;
            }
            if (at == start) {
                break;
            }
            line.words.push_back(text.substr(start, at - start));
        }
        if (!(line.words.empty() || (line.words.size() == 1 && line.words[0].empty()))) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

[[noreturn]] void refuse(const std::string& message, int64_t line) {
    throw clonal::InputError(message, line);
}

std::string quoted(std::string_view word) {
    std::string text;
    text.reserve(word.size() + 2);
    text.push_back('\'');
    text.append(word);
    text.push_back('\'');
    return text;
}

int32_t distance_value(std::string_view word, int64_t line, const MatrixFileSettings& settings) {
    const std::string text(word);
    if (!settings.scale) {
        if (!text.empty() && text[0] == '-' && clonal::integer_length(text) == text.size()) {
            refuse("the distance " + text + " is negative", line);
        }
        const bool digits = !text.empty() && text.find_first_not_of("0123456789") == text.npos;
        if (!digits) {
            throw clonal::InputError("the distance " + quoted(word) +
                                         " is not a whole number ({setting} S reads real "
                                         "distances times S)",
                                     line, 0, "matrix_scale");
        }
        const auto value = clonal::digits_value(text);
        if (!value) {
            refuse("the distance " + text + " is too large (at most 2147483647)", line);
        }
        return *value;
    }
    const std::optional<double> read = clonal::whole_double(text);
    if (!read) {
        refuse("the distance " + quoted(word) + " is not a finite number", line);
    }
    const double value = *read;
    if (value < 0.0) {
        refuse("the distance " + text + " is negative", line);
    }
    const double scaled = std::round(value * *settings.scale);
    if (!(scaled <= 2147483647.0)) {
        refuse("the distance " + text + " times the scale is too large (at most 2147483647)", line);
    }
    return static_cast<int32_t>(scaled);
}

// Where each name of a table lies among the data set's individuals.
class NameIndex {
  public:
    explicit NameIndex(const std::vector<std::string>& names) : names_(names) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            distinct_ = index_.emplace(names[i], static_cast<int>(i)).second && distinct_;
        }
    }

    // The individual named word, expected (when names repeat) at position expected.
    int at(std::string_view word, int expected, int64_t line) const {
        if (!distinct_) {
            if (expected >= 0 && static_cast<std::size_t>(expected) < names_.size() &&
                names_[static_cast<std::size_t>(expected)] == word) {
                return expected;
            }
            refuse("the name " + quoted(word) +
                       " is not the data set's individual at that place (with names that repeat, "
                       "the order must be the data set's)",
                   line);
        }
        const auto found = index_.find(std::string(word));
        if (found == index_.end()) {
            refuse("the name " + quoted(word) + " is not an individual of the data set", line);
        }
        return found->second;
    }

  private:
    const std::vector<std::string>& names_;
    std::unordered_map<std::string, int> index_;
    bool distinct_ = true;
};

void check_symmetric(const DistanceMatrix& matrix, const std::vector<int64_t>& row_lines,
                     const std::vector<std::string>& names) {
    const int n = matrix.size();
    for (int i = 0; i < n; ++i) {
        const auto line = row_lines[static_cast<std::size_t>(i)];
        if (matrix.at(i, i) != 0) {
            refuse("the distance of " + names[static_cast<std::size_t>(i)] + " to itself is " +
                       std::to_string(matrix.at(i, i)) + ", not 0",
                   line);
        }
        for (int j = 0; j < i; ++j) {
            if (matrix.at(i, j) != matrix.at(j, i)) {
                refuse("the matrix is not symmetric: " + names[static_cast<std::size_t>(i)] +
                           " to " + names[static_cast<std::size_t>(j)] + " is " +
                           std::to_string(matrix.at(i, j)) + ", the other way " +
                           std::to_string(matrix.at(j, i)),
                       line);
            }
        }
    }
}

std::string square_needs(int n) {
    return "a row of the square matrix of " + std::to_string(n) + " individuals holds " +
           std::to_string(n) + " values";
}

DistanceMatrix plain_square(const std::vector<Line>& lines, const std::vector<std::string>& names,
                            const MatrixFileSettings& settings) {
    const int n = static_cast<int>(names.size());
    DistanceMatrix matrix(n);
    std::vector<int64_t> row_lines;
    for (std::size_t r = 0; r < lines.size(); ++r) {
        const Line& line = lines[r];
        if (r >= static_cast<std::size_t>(n)) {
            refuse("more rows than the " + std::to_string(n) + " individuals of the data set",
                   line.number);
        }
        if (line.words.size() != static_cast<std::size_t>(n)) {
            refuse("the line holds " + std::to_string(line.words.size()) + " values; " +
                       square_needs(n),
                   line.number);
        }
        for (std::size_t c = 0; c < line.words.size(); ++c) {
            matrix.at(static_cast<int>(r), static_cast<int>(c)) =
                distance_value(line.words[c], line.number, settings);
        }
        row_lines.push_back(line.number);
    }
    if (row_lines.size() != static_cast<std::size_t>(n)) {
        refuse("the file holds " + std::to_string(row_lines.size()) + " rows; the data set has " +
                   std::to_string(n) + " individuals",
               lines.empty() ? 1 : lines.back().number);
    }
    check_symmetric(matrix, row_lines, names);
    return matrix;
}

DistanceMatrix plain_lower(const std::vector<Line>& lines, const std::vector<std::string>& names,
                           const MatrixFileSettings& settings) {
    const int n = static_cast<int>(names.size());
    DistanceMatrix matrix(n);
    int i = 1;
    int j = 0;
    for (const Line& line : lines) {
        for (const std::string_view word : line.words) {
            if (i >= n) {
                refuse("more values than the lower triangle of " + std::to_string(n) +
                           " individuals holds (" +
                           std::to_string(static_cast<int64_t>(n) * (n - 1) / 2) + ")",
                       line.number);
            }
            matrix.set_pair(i, j, distance_value(word, line.number, settings));
            if (++j == i) {
                ++i;
                j = 0;
            }
        }
    }
    if (i < n) {
        refuse("fewer values than the lower triangle of " + std::to_string(n) +
                   " individuals holds (" + std::to_string(static_cast<int64_t>(n) * (n - 1) / 2) +
                   ")",
               lines.empty() ? 1 : lines.back().number);
    }
    return matrix;
}

DistanceMatrix named_square(const std::vector<Line>& lines, const std::vector<std::string>& names,
                            const MatrixFileSettings& settings) {
    const int n = static_cast<int>(names.size());
    const NameIndex index(names);
    const Line& header = lines.front();
    if (header.words.size() != static_cast<std::size_t>(n) + 1) {
        refuse("the header names " + std::to_string(header.words.size() - 1) +
                   " individuals; the data set has " + std::to_string(n),
               header.number);
    }
    // The data set's individual of every column.
    std::vector<int> individual(static_cast<std::size_t>(n));
    std::vector<bool> seen(static_cast<std::size_t>(n), false);
    for (int c = 0; c < n; ++c) {
        const int k = index.at(header.words[static_cast<std::size_t>(c) + 1], c, header.number);
        if (seen[static_cast<std::size_t>(k)]) {
            refuse("the header names " + names[static_cast<std::size_t>(k)] + " twice",
                   header.number);
        }
        seen[static_cast<std::size_t>(k)] = true;
        individual[static_cast<std::size_t>(c)] = k;
    }
    DistanceMatrix matrix(n);
    std::vector<int64_t> row_lines(static_cast<std::size_t>(n));
    if (lines.size() != static_cast<std::size_t>(n) + 1) {
        refuse("the table holds " + std::to_string(lines.size() - 1) + " rows; the header names " +
                   std::to_string(n) + " individuals",
               lines.back().number);
    }
    for (int r = 0; r < n; ++r) {
        const Line& line = lines[static_cast<std::size_t>(r) + 1];
        if (line.words.size() != static_cast<std::size_t>(n) + 1) {
            refuse("the row holds " + std::to_string(line.words.size() - 1) + " values; " +
                       square_needs(n),
                   line.number);
        }
        const int row = individual[static_cast<std::size_t>(r)];
        if (line.words[0] != header.words[static_cast<std::size_t>(r) + 1]) {
            refuse("the row of " + quoted(line.words[0]) + " stands where the header puts " +
                       quoted(header.words[static_cast<std::size_t>(r) + 1]),
                   line.number);
        }
        for (int c = 0; c < n; ++c) {
            matrix.at(row, individual[static_cast<std::size_t>(c)]) =
                distance_value(line.words[static_cast<std::size_t>(c) + 1], line.number, settings);
        }
        row_lines[static_cast<std::size_t>(row)] = line.number;
    }
    check_symmetric(matrix, row_lines, names);
    return matrix;
}

DistanceMatrix named_pairs(const std::vector<Line>& lines, const std::vector<std::string>& names,
                           const MatrixFileSettings& settings) {
    const int n = static_cast<int>(names.size());
    const NameIndex index(names);
    const Line& header = lines.front();
    if (header.words.size() != 3 || header.words[1] != "individual_b" ||
        header.words[2] != "distance") {
        refuse("a table of pairs has the header individual_a, individual_b, distance",
               header.number);
    }
    DistanceMatrix matrix(n);
    // Whether each pair was given, in the order of the lower triangle.
    std::vector<bool> given(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), false);
    int64_t count = 0;
    int expected_i = 1;
    int expected_j = 0;
    for (std::size_t r = 1; r < lines.size(); ++r) {
        const Line& line = lines[r];
        if (line.words.size() != 3) {
            refuse("a row of pairs holds two names and a distance, not " +
                       std::to_string(line.words.size()) + " words",
                   line.number);
        }
        const int i = index.at(line.words[0], expected_i, line.number);
        const int j = index.at(line.words[1], expected_j, line.number);
        if (i == j) {
            refuse("a pair of " + quoted(line.words[0]) + " with itself", line.number);
        }
        const std::size_t cell =
            static_cast<std::size_t>(std::max(i, j)) * static_cast<std::size_t>(n) +
            static_cast<std::size_t>(std::min(i, j));
        if (given[cell]) {
            refuse("the pair " + std::string(line.words[0]) + ", " + std::string(line.words[1]) +
                       " is given twice",
                   line.number);
        }
        given[cell] = true;
        matrix.set_pair(i, j, distance_value(line.words[2], line.number, settings));
        ++count;
        if (++expected_j == expected_i) {
            ++expected_i;
            expected_j = 0;
        }
    }
    if (count != static_cast<int64_t>(n) * (n - 1) / 2) {
        for (int i = 1; i < n; ++i) {
            for (int j = 0; j < i; ++j) {
                if (!given[static_cast<std::size_t>(i) * static_cast<std::size_t>(n) +
                           static_cast<std::size_t>(j)]) {
                    refuse("no distance for the pair " + names[static_cast<std::size_t>(i)] + ", " +
                               names[static_cast<std::size_t>(j)],
                           lines.back().number);
                }
            }
        }
    }
    return matrix;
}

std::string_view first_word(std::string_view content) {
    if (content.substr(0, 3) == "\xEF\xBB\xBF") {
        content.remove_prefix(3);
    }
    std::size_t end = 0;
    while (end < content.size() && content[end] != '\t' && !clonal::is_white_space(content[end])) {
        ++end;
    }
    return content.substr(0, end);
}

}  // namespace

DistanceMatrix read_matrix_file(std::string_view content, const std::vector<std::string>& names,
                                const MatrixFileSettings& settings) {
    const std::string_view head = first_word(content);
    const bool pairs = head == "individual_a";
    if (pairs || head == "individual") {
        if (settings.layout == (pairs ? MatrixFileLayout::kSquare : MatrixFileLayout::kLower)) {
            refuse(pairs ? "the file is a table of pairs, not a square matrix"
                         : "the file is a square table, not a lower triangle",
                   1);
        }
        const std::vector<Line> lines = lines_of(content, true);
        return pairs ? named_pairs(lines, names, settings) : named_square(lines, names, settings);
    }
    const std::vector<Line> lines = lines_of(content, false);
    MatrixFileLayout layout = settings.layout;
    if (layout == MatrixFileLayout::kAuto) {
        const auto n = static_cast<int64_t>(names.size());
        int64_t values = 0;
        for (const Line& line : lines) {
            values += static_cast<int64_t>(line.words.size());
        }
        if (values == n * n) {
            layout = MatrixFileLayout::kSquare;
        } else if (values == n * (n - 1) / 2) {
            layout = MatrixFileLayout::kLower;
        } else {
            refuse("the file holds " + std::to_string(values) + " values: the square matrix of " +
                       std::to_string(n) + " individuals holds " + std::to_string(n * n) +
                       ", its lower triangle " + std::to_string(n * (n - 1) / 2),
                   lines.empty() ? 1 : lines.back().number);
        }
    }
    return layout == MatrixFileLayout::kSquare ? plain_square(lines, names, settings)
                                               : plain_lower(lines, names, settings);
}

}  // namespace kelvane
