// Fuzz target: the settings that a binding (the R package) hands to the analyses with no option
// parser in between, and coordinates given as numbers. The first byte chooses the analysis (its
// value modulo 7) and switches (8: geographic, 16: equal pairs, 32: class limits, 64: a centre);
// the rest is read as numbers separated by white space, taken in turn: the coordinates of the
// five individuals, then the analysis's settings. The library must refuse what it cannot do with
// a FatalError, never crash or allocate without bound. Counts of permutations, simulations and
// draws are kept small where they are valid, so that a run stays short; invalid ones pass as
// they are.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "kelvane/analysis/accumulation.hpp"
#include "kelvane/analysis/histogram.hpp"
#include "kelvane/analysis/spatial.hpp"
#include "kelvane/analysis/suggestions.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"

namespace {

class Numbers {
  public:
    explicit Numbers(const std::string& text) {
        std::istringstream words(text);
        for (std::string word; words >> word && values_.size() < 64;) {
            char* end = nullptr;
            values_.push_back(std::strtod(word.c_str(), &end));
        }
    }
    double next(double fallback) { return at_ < values_.size() ? values_[at_++] : fallback; }
    // A whole number as a binding would convert it: NaN to -1, the rest clamped.
    int64_t whole(double fallback, int64_t affordable) {
        const double value = next(fallback);
        if (std::isnan(value)) {
            return -1;
        }
        const double clamped = std::fmax(-1e18, std::fmin(1e18, value));
        const auto count = static_cast<int64_t>(clamped);
        // Valid counts beyond what a fuzz run can afford are cut down; invalid ones stay.
        return count > affordable && count <= 100000000 ? affordable : count;
    }
    int32_t whole32(double fallback, int64_t affordable) {
        const int64_t value = whole(fallback, affordable);
        return static_cast<int32_t>(
            value < -2147483647 ? -2147483647 : (value > 2147483647 ? 2147483647 : value));
    }

  private:
    std::vector<double> values_;
    std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    static const kelvane::MarkerData plants =
        kelvane::read_data_text(kelvane::DataFormat::kMarker,
                                "t\n5 1 2 2 2\nP\n1 a 1012 1111\n1 b 1012 1111\n1 c 1112 1211\n"
                                "1 d 1313 1012\n1 e 1313 1012\n",
                                {})
            .data;
    const uint8_t switches = data[0];
    Numbers numbers(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    kelvane::Coordinates coordinates;
    coordinates.geographic = (switches & 8) != 0;
    for (int i = 0; i < plants.n_individuals; ++i) {
        coordinates.x.push_back(numbers.next(i));
        coordinates.y.push_back(numbers.next(0.0));
    }
    kelvane::DistanceInput input;
    input.model.distance = "stepwise";
    clonal::Random random;
    try {
        const kelvane::Genotypes genets = kelvane::analysis::genets_of(plants, input, {});
        kelvane::ClassSettings classes;
        classes.classes = numbers.whole32(10, 100000);
        classes.equal_pairs = (switches & 16) != 0;
        if ((switches & 32) != 0) {
            const int64_t count = numbers.whole(3, 12);
            for (int64_t k = 0; k < count && k < 12; ++k) {
                classes.limits.push_back(numbers.next(static_cast<double>(k)));
            }
        }
        switch (switches % 7) {
            case 0:
                kelvane::analysis::subrange(plants, coordinates, genets, classes);
                break;
            case 1:
                kelvane::analysis::aggregation(plants, coordinates, genets, numbers.whole(9, 20),
                                               random);
                break;
            case 2: {
                std::optional<std::pair<double, double>> centre;
                if ((switches & 64) != 0) {
                    centre = {numbers.next(0.0), numbers.next(0.0)};
                }
                kelvane::analysis::edge(plants, coordinates, genets, centre, numbers.whole(9, 20),
                                        random);
                break;
            }
            case 3: {
                const auto level = static_cast<kelvane::KinshipLevel>(switches / 8 % 4);
                kelvane::analysis::autocorrelation(plants, coordinates, genets, level, classes,
                                                   numbers.whole(9, 20), random, {1, {}});
                break;
            }
            case 4: {
                kelvane::analysis::SuggestionSettings settings;
                settings.fraction = numbers.next(0.5);
                settings.alpha = numbers.next(0.01);
                settings.simulations = numbers.whole32(10, 20);
                kelvane::analysis::suggestions(plants, input, settings, random, {1, {}});
                break;
            }
            case 5: {
                kelvane::analysis::AccumulationSettings settings;
                settings.draws = numbers.whole(10, 20);
                kelvane::analysis::accumulation(plants, settings, random, {1, {}});
                break;
            }
            default: {
                kelvane::analysis::HistogramSettings settings;
                settings.classes = numbers.whole32(10, 1000);
                settings.max_distance = numbers.whole32(0, 1000);
                kelvane::analysis::check_histogram_settings(settings);
                kelvane::analysis::histogram(plants, input, settings, {1, {}});
                break;
            }
        }
    } catch (const clonal::FatalError&) {
        // A refusal is the expected answer to most inputs.
    }
    return 0;
}
