// Importing a distance matrix from a text file.
#include "matrix_import.hpp"

#include <optional>
#include <string>

#include "file_io.hpp"
#include "text_scanner.hpp"

namespace kelvane {
namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The next value of the file, or nothing after printing why the import fails.
std::optional<int32_t> next_value(clonal::TextScanner& file, clonal::Console& console) {
    if (!file.skip_to_digit()) {
        console.print("ERROR: wrong number of individuals");
        return std::nullopt;
    }
    const clonal::ScannedInt value = file.digits();
    // The rest of the word is read and ignored.
    while (!file.at_end() && !clonal::is_white_space(file.peek())) {
        file.get();
    }
    if (value.status == clonal::ScanStatus::kTooLarge) {
        console.print("ERROR: matrix value too large");
        return std::nullopt;
    }
    return value.value;
}

MatrixLayout ask_layout(clonal::Console& console) {
    int32_t answer = 100;
    while (answer != 1 && answer != 2) {
        console.print("\nDistance matrix format:\n ");
        console.print("\t\t1.\t Square\n ");
        console.print("\t\t2.\t Unfolded lower triangular\n\n");
        console.read_int(answer);
    }
    return static_cast<MatrixLayout>(answer);
}

bool read_square(clonal::TextScanner& file, clonal::Console& console, DistanceMatrix& matrix) {
    const int n = matrix.size();
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const auto value = next_value(file, console);
            if (!value) {
                return false;
            }
            if (i == j && *value != 0) {
                console.print("ERROR: diagonal should consist of zeros");
                return false;
            }
            matrix.at(i, j) = *value;
        }
    }
    return true;
}

bool read_lower_triangle(clonal::TextScanner& file, clonal::Console& console,
                         DistanceMatrix& matrix) {
    const int n = matrix.size();
    for (int i = 1; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            const auto value = next_value(file, console);
            if (!value) {
                return false;
            }
            matrix.set_pair(i, j, *value);
        }
    }
    return true;
}

// Warns when a letter or a digit follows the last expected value; white space and punctuation
// pass silently.
void check_trailing_text(clonal::TextScanner& file, clonal::Console& console) {
    while (!file.at_end()) {
        const char c = file.get();
        if (is_letter(c) || is_digit(c)) {
            console.print("BEWARE: Text detected after expected end of distance matrix!\n");
            console.print("Kelvane will continue, but use results with caution.\n");
            return;
        }
    }
}

}  // namespace

int read_distance_matrix(std::string content, MatrixLayout layout, clonal::Console& console,
                         DistanceMatrix& matrix) {
    clonal::TextScanner file(std::move(content));
    const bool read = layout == MatrixLayout::kSquare ? read_square(file, console, matrix)
                                                      : read_lower_triangle(file, console, matrix);
    if (!read) {
        return 0;
    }
    check_trailing_text(file, console);
    return 1;
}

int import_distance_matrix(clonal::Console& console, DistanceMatrix& matrix) {
    console.print("\n\nGive the name of the distance matrix file: ");
    const std::string name = console.read_line();
    auto content = clonal::read_file(name);
    if (!content) {
        console.print("ERROR: Could not open input-file\n");
        return 0;
    }
    const MatrixLayout layout = ask_layout(console);
    return read_distance_matrix(std::move(*content), layout, console, matrix);
}

}  // namespace kelvane
