// The save options that write genotype results: the Marsyl input file and the genotypes file at
// a threshold, the big genotypes file for all thresholds, and the histogram file.
#include <string>

#include "all_thresholds.hpp"
#include "buffered_text.hpp"
#include "genotype_grouping.hpp"
#include "genotype_operations.hpp"
#include "output_file_prompt.hpp"
#include "printf.hpp"

namespace kelvane {
namespace {

constexpr const char* kWriteError = "ERROR: Could not write file\n";

int32_t ask_threshold(clonal::Console& console) {
    int32_t threshold = -1;
    while (threshold < 0) {
        console.print("\nGive threshold: ");
        console.read_int(threshold);
    }
    return threshold;
}

// The threshold prompt, the grouping and its count on the console.
Genotypes group_at_asked_threshold(clonal::Console& console, const DistanceMatrix& matrix) {
    const int32_t threshold = ask_threshold(console);
    Genotypes genotypes = genotypes_at_threshold(matrix, threshold);
    console.print("\nnumber of genotypes: %d\n", genotypes.count);
    return genotypes;
}

clonal::NamedOutputFile ask_file(clonal::Console& console, const char* prompt) {
    return clonal::ask_output_file(console, prompt, kWriteError, clonal::WriteMode::kReplace);
}

bool close_file(clonal::Console& console, clonal::NamedOutputFile& output) {
    return clonal::close_reporting_failure(output.file, console, kWriteError);
}

// The title as its own first line, of at most 999 characters with its line end as the Clonal
// genotype file allows: a title read without a line end gets one (or the number of populations
// would continue it), and a longer title is cut (or marsyl could not read the file back).
std::string title_line(const std::string& title) {
    constexpr std::size_t kLongestTitle = 998;
    std::string line = title;
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
    }
    if (line.size() > kLongestTitle) {
        line.resize(kLongestTitle);
    }
    return line + '\n';
}

}  // namespace

bool save_clonal_genotype_file(clonal::Console& console, const DistanceMatrix& matrix,
                               const MarkerData& data) {
    const Genotypes genotypes = group_at_asked_threshold(console, matrix);
    auto output = ask_file(console, "\nGive name of Marsyl file: ");
    {
        // Written as it comes: a header may declare far more populations than hold individuals,
        // and each of them has its name line.
        BufferedText text(output.file.stream());
        text.append(title_line(data.title));
        text.append(clonal::format("%d\n", data.n_populations));
        // Counted in 64 bits: P may be the largest 32-bit number.
        for (int64_t p = 1; p <= data.n_populations && text.good(); ++p) {
            text.append(data.population_name(static_cast<int>(p)));
            text.append("\n");
        }
        for (std::size_t i = 0; i < genotypes.numbers.size() && text.good(); ++i) {
            text.append(clonal::format("%d\t%d\n", data.pop_vector[i], genotypes.numbers[i]));
        }
    }
    return close_file(console, output);
}

bool save_genotypes(clonal::Console& console, const DistanceMatrix& matrix,
                    const MarkerData& data) {
    const Genotypes genotypes = group_at_asked_threshold(console, matrix);
    auto output = ask_file(console, "\nGive name of genotypes file: ");
    std::string text;
    for (std::size_t i = 0; i < genotypes.numbers.size(); ++i) {
        text += clonal::format("%s\t%d\n", data.ind_names[i].c_str(), genotypes.numbers[i]);
    }
    output.file.stream() << text;
    return close_file(console, output);
}

bool save_all_thresholds(clonal::Console& console, const DistanceMatrix& matrix,
                         const MarkerData& data) {
    auto output = ask_file(console, "\n\nGive name of big genotypes file: ");
    genotypes_all_thresholds(matrix, data.ind_names, output.file.stream());
    return close_file(console, output);
}

bool save_histogram(clonal::Console& console, const DistanceMatrix& matrix) {
    auto output = ask_file(console, "\n\nGive name of histogram file: ");
    distance_histogram(console, matrix, &output.file.stream());
    return close_file(console, output);
}

}  // namespace kelvane
