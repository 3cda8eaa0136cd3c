// The distance histogram: its dialogue, the tally of the pairs into classes and the table.
#include "histogram.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "array_utils.hpp"
#include "checked_allocation.hpp"
#include "genotype_operations.hpp"
#include "printf.hpp"

namespace kelvane {
namespace {

// The bars of a histogram whose largest class exceeds this are scaled down to it.
constexpr int64_t kLongestBar = 38;
constexpr double kOneOverLongestBar = 0.02631578947368421;

int32_t ask_classes(clonal::Console& console) {
    int32_t classes = 1;
    while (classes < 2) {
        console.print("\nGive the number of frequency classes (>1):\n");
        console.read_int(classes);
    }
    return classes;
}

int32_t ask_max_distance(clonal::Console& console) {
    int32_t max_distance = 0;
    while (max_distance < 1) {
        console.print("\nGive maximum distance for histogram:\n");
        console.read_int(max_distance);
    }
    return max_distance;
}

std::vector<int64_t> make_counters(int32_t classes) {
    // Counted in 64 bits, so that the size of the largest class cannot overflow.
    return zeroed_vector_or_fail<int64_t>(static_cast<std::size_t>(classes) + 1,
                                          "ERROR: frequency classes, more memory needed");
}

}  // namespace

double class_width(int32_t max_distance, int32_t classes) {
    return static_cast<double>(max_distance) / static_cast<double>(classes);
}

void tally_distance_classes(const DistanceMatrix& matrix, double width, std::span<int64_t> counts) {
    const auto last_class = static_cast<int64_t>(counts.size()) - 1;
    const int n = matrix.size();
    for (int i = 0; i < n; ++i) {
        const auto row = matrix.row(i);
        for (int j = 0; j < i; ++j) {
            const int32_t distance = row[static_cast<std::size_t>(j)];
            if (distance < 0) {
                continue;  // no class below 0 to hold it
            }
            const int64_t k = clonal::ceiling_with_tolerance(static_cast<double>(distance) / width);
            if (k <= last_class) {
                ++counts[static_cast<std::size_t>(k)];
            }
        }
    }
}

int64_t bar_length(int64_t count, int64_t top) {
    if (top <= kLongestBar) {
        return count;
    }
    const double scale = static_cast<double>(top) * kOneOverLongestBar;
    return static_cast<int64_t>(static_cast<double>(count) / scale);
}

void write_histogram_table(std::ostream& out, std::span<const int64_t> counts, double width) {
    std::string text = "class  \tthresh\t#pairs| #pairs\n";
    const int64_t top = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
    // A stream that failed (a full disk) takes no more lines; the rest are not formatted.
    for (std::size_t k = 0; k < counts.size() && out.good(); ++k) {
        text += clonal::format("%4d\t%6.2f\t", static_cast<int>(k), static_cast<double>(k) * width);
        text += clonal::format("%6lld| ", static_cast<long long>(counts[k]));
        text.append(static_cast<std::size_t>(bar_length(counts[k], top)), '*');
        text += '\n';
        if (text.size() >= (std::size_t{1} << 16)) {
            out << text;
            text.clear();
        }
    }
    out << text;
}

void distance_histogram(clonal::Console& console, const DistanceMatrix& matrix, std::ostream* out) {
    std::ostream& table = out == nullptr ? console.out() : *out;
    console.print("\n");
    clonal::print_separator(console.out());
    console.print("\nGENOTYPE ASSIGNMENT:\n");
    const int n = matrix.size();
    console.print("maximum distance:\t%d\n", clonal::max_of_matrix(matrix.cells(), n, n));
    const int32_t classes = ask_classes(console);
    std::vector<int64_t> counts = make_counters(classes);
    const int32_t max_distance = ask_max_distance(console);
    console.print("\n");
    const double width = class_width(max_distance, classes);
    tally_distance_classes(matrix, width, counts);
    write_histogram_table(table, counts, width);
}

}  // namespace kelvane
