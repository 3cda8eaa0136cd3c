// Reading a Clonal genotype file into the clonal data set, in two passes: the first counts the
// individuals of each population and rejects a malformed file before anything is stored, the
// second stores the genotype numbers into arrays of exactly the counted sizes.
#include "common/core/clonal_genotype_file.hpp"

#include <algorithm>
#include <string_view>

#include "common/core/allocation.hpp"
#include "common/core/fatal_error.hpp"
#include "common/text/buffered_text.hpp"
#include "common/text/characters.hpp"
#include "common/text/printf.hpp"
#include "common/text/text_scanner.hpp"

namespace clonal {
namespace {

constexpr std::size_t kLongestTitle = 999;  // line end included
constexpr std::size_t kLongestName = 24;

std::string allocation_message(const char* table) {
    return format("%s failed, more memory needed", table);
}

std::string read_title(TextScanner& scanner) {
    const std::string_view line = scanner.line();
    if (line.size() > kLongestTitle) {
        throw FatalError("title line longer than 999 characters");
    }
    return std::string(line);
}

// Whether the number just read ends its word: "1e308" or "12abc" is no whole number.
bool ends_word(const TextScanner& scanner) {
    return scanner.at_end() || is_white_space(scanner.peek());
}

int32_t read_population_count(TextScanner& scanner, bool whole_words) {
    const ScannedInt count = scanner.integer();
    if (count.status == ScanStatus::kTooLarge) {
        throw FatalError("number of populations too large");
    }
    if (count.status != ScanStatus::kNumber) {
        throw FatalError("number of populations missing or not a number");
    }
    if (count.value < 0) {
        throw FatalError("number of populations below 0");
    }
    if (whole_words && !ends_word(scanner)) {
        throw FatalError("number of populations is not a whole number");
    }
    return count.value;
}

// The names are read one by one rather than into a table of P entries made up front, so that a
// huge P in a short file ends with a missing name instead of an enormous allocation.
std::vector<std::string> read_names(TextScanner& scanner, int32_t populations) {
    std::vector<std::string> names;
    with_memory_message(allocation_message("pop_names malloc"), [&] {
        names.emplace_back();
        for (int32_t k = 1; k <= populations; ++k) {
            const std::string_view name = scanner.word();
            if (name.empty()) {
                throw FatalError(format("population %d: name missing", k));
            }
            if (name.size() > kLongestName) {
                throw FatalError(format("population %d: name longer than 24 characters", k));
            }
            names.emplace_back(name);
        }
    });
    return names;
}

// One number of an individual's pair; what is not a non-negative 32-bit integer ends the run.
int32_t checked_number(const ScannedInt& number, int32_t individual, const char* what) {
    if (number.status == ScanStatus::kNoNumber) {
        throw FatalError(format("individual %d: %s is not an integer", individual, what));
    }
    if (number.status == ScanStatus::kTooLarge) {
        throw FatalError(format("individual %d: %s does not fit 32 bits", individual, what));
    }
    if (number.value < 0) {
        throw FatalError(format("individual %d: negative %s", individual, what));
    }
    return number.value;
}

// Calls store(population, genotype) for every individual in file order. A population number at
// the very end of the file without its genotype number gives genotype number 0.
template <typename Store>
void for_each_individual(TextScanner& scanner, int32_t populations, bool whole_words, Store store) {
    int32_t individual = 0;
    for (;;) {
        const ScannedInt population = scanner.integer();
        if (population.status == ScanStatus::kEnd) {
            return;
        }
        if (individual == INT32_MAX) {
            throw FatalError("more individuals than can be counted");
        }
        ++individual;
        if (population.status == ScanStatus::kNumber && population.value > populations) {
            throw FatalError(
                format("individual %d: population number higher than "
                       "number of populations",
                       individual));
        }
        const int32_t p = checked_number(population, individual, "population number");
        if (whole_words && !ends_word(scanner)) {
            throw FatalError(
                format("individual %d: population number is not a whole number", individual));
        }
        const ScannedInt genotype = scanner.integer();
        const int32_t g = genotype.status == ScanStatus::kEnd
                              ? 0
                              : checked_number(genotype, individual, "genotype number");
        if (whole_words && genotype.status != ScanStatus::kEnd && !ends_word(scanner)) {
            throw FatalError(
                format("individual %d: genotype number is not a whole number", individual));
        }
        store(p, g);
    }
}

template <typename T>
std::vector<T> allocate(std::size_t count, const char* table) {
    return allocate_or_fail<T>(count, allocation_message(table));
}

}  // namespace

const ClonalData& ClonalFileReader::read_header() {
    TextScanner scanner(content_);
    reporting_line(
        [&] {
            data_.title = read_title(scanner);
            data_.populations = read_population_count(scanner, whole_words_);
        },
        [&scanner] { return scanner.line_number(); });
    header_end_ = scanner.position();
    return data_;
}

const std::vector<int32_t>& ClonalFileReader::read_census() {
    TextScanner scanner(content_);
    scanner.skip_to(header_end_);
    reporting_line(
        [&] {
            data_.names = read_names(scanner, data_.populations);
            const auto slots = static_cast<std::size_t>(data_.populations) + 1;
            sizes_ = allocate<int32_t>(slots, "pop_names malloc");
            filled_ = allocate<int32_t>(slots, "ind_nums malloc");
            for_each_individual(
                scanner, data_.populations, whole_words_,
                [this](int32_t p, int32_t) { ++sizes_[static_cast<std::size_t>(p)]; });
        },
        [&scanner] { return scanner.line_number(); });
    return sizes_;
}

ClonalData ClonalFileReader::read_genotypes() {
    TextScanner scanner(content_);
    scanner.skip_to(header_end_);
    for (int32_t k = 1; k <= data_.populations; ++k) {
        scanner.word();
    }
    const std::size_t slots = sizes_.size();
    with_memory_message(allocation_message("input malloc"), [&] { data_.genotypes.resize(slots); });
    for (std::size_t k = 0; k < slots; ++k) {
        data_.genotypes[k] =
            allocate<int32_t>(static_cast<std::size_t>(sizes_[k]), "input malloc2");
    }
    for_each_individual(scanner, data_.populations, whole_words_, [&](int32_t p, int32_t g) {
        const auto slot = static_cast<std::size_t>(p);
        data_.genotypes[slot][static_cast<std::size_t>(filled_[slot]++)] = g;
    });
    return std::move(data_);
}

ClonalData read_clonal_file(const std::string& content, bool whole_words) {
    ClonalFileReader reader(content, whole_words);
    reader.read_header();
    reader.read_census();
    return reader.read_genotypes();
}

namespace {

// The title as its own first line that the reader takes back.
std::string title_line(const std::string& title) {
    std::string line = title;
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
    }
    if (line.size() > kLongestTitle - 1) {
        line.resize(kLongestTitle - 1);
    }
    return line + '\n';
}

}  // namespace

void write_clonal_file(std::ostream& out, const std::string& title, int32_t populations,
                       const std::function<std::string(int32_t)>& population_name,
                       std::span<const int32_t> population_of,
                       std::span<const int32_t> genotype_of) {
    BufferedText text(out);
    text.append(title_line(title));
    text.append(format("%d\n", populations));
    // Counted in 64 bits: the number of populations may be the largest 32-bit number.
    for (int64_t p = 1; p <= populations && text.good(); ++p) {
        text.append(population_name(static_cast<int32_t>(p)));
        text.append("\n");
    }
    for (std::size_t i = 0; i < genotype_of.size() && text.good(); ++i) {
        text.append(format("%d\t%d\n", population_of[i], genotype_of[i]));
    }
}

int32_t raise_largest_genotype(const ClonalData& data, int32_t current) {
    int32_t largest = current;
    for (std::size_t k = 1; k < data.genotypes.size(); ++k) {
        for (const int32_t g : data.genotypes[k]) {
            largest = std::max(largest, g);
        }
    }
    return largest;
}

}  // namespace clonal
