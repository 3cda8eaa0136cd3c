// Importing a distance matrix from a text file.
#include "kelvane/matrix/matrix_import.hpp"

#include "common/text/characters.hpp"
#include "common/text/text_scanner.hpp"

namespace kelvane {
namespace {

// The next value of the file, or nothing with the reason in import.
std::optional<int32_t> next_value(clonal::TextScanner& file, MatrixImport& import) {
    if (!file.skip_to_digit()) {
        import.error = "wrong number of individuals";
        return std::nullopt;
    }
    const clonal::ScannedInt value = file.digits();
    // The rest of the word is read and ignored.
    while (!file.at_end() && !clonal::is_white_space(file.peek())) {
        file.get();
    }
    if (value.status == clonal::ScanStatus::kTooLarge) {
        import.error = "matrix value too large";
        return std::nullopt;
    }
    return value.value;
}

void read_square(clonal::TextScanner& file, DistanceMatrix& matrix, MatrixImport& import) {
    const int n = matrix.size();
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const auto value = next_value(file, import);
            if (!value) {
                return;
            }
            if (i == j && *value != 0) {
                import.error = "diagonal should consist of zeros";
                return;
            }
            matrix.at(i, j) = *value;
        }
    }
}

void read_lower_triangle(clonal::TextScanner& file, DistanceMatrix& matrix, MatrixImport& import) {
    const int n = matrix.size();
    for (int i = 1; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            const auto value = next_value(file, import);
            if (!value) {
                return;
            }
            matrix.set_pair(i, j, *value);
        }
    }
}

// White space and punctuation after the last value pass silently.
bool has_trailing_text(clonal::TextScanner& file) {
    while (!file.at_end()) {
        const char c = file.get();
        if (clonal::is_letter(c) || clonal::is_digit(c)) {
            return true;
        }
    }
    return false;
}

}  // namespace

MatrixImport read_distance_matrix(std::string content, MatrixLayout layout,
                                  DistanceMatrix& matrix) {
    clonal::TextScanner file(std::move(content));
    MatrixImport import;
    if (layout == MatrixLayout::kSquare) {
        read_square(file, matrix, import);
    } else {
        read_lower_triangle(file, matrix, import);
    }
    if (!import.error) {
        import.trailing_text = has_trailing_text(file);
    }
    return import;
}

}  // namespace kelvane
