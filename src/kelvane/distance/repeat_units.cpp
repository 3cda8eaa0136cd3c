// Codes in repeat units, the lengths given in words, and the shares of codes off the repeat.
#include "kelvane/distance/repeat_units.hpp"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <unordered_map>
#include <utility>

#include "common/core/fatal_error.hpp"
#include "common/core/file_io.hpp"
#include "common/text/number_text.hpp"
#include "common/text/printf.hpp"
#include "common/text/tsv_writer.hpp"

namespace kelvane {
namespace {

constexpr const char* kSetting = "repeat_lengths";

// The distinct present codes of a locus, ascending.
std::vector<int32_t> locus_codes(const MarkerData& data, int locus) {
    std::vector<int32_t> codes;
    for (int i = 0; i < data.n_individuals; ++i) {
        for (const int32_t copy : data.locus_genotype(i, locus)) {
            if (copy != 0) {
                codes.push_back(copy);
            }
        }
    }
    std::ranges::sort(codes);
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

double length_of(const std::string& word, const std::string& where) {
    const std::optional<double> length = clonal::whole_double(word);
    if (!length || !(*length > 0.0) || !std::isfinite(*length)) {
        throw clonal::SettingError(
            "{setting} takes repeat lengths above 0, not '" + word + "'" + where, kSetting);
    }
    return *length;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::string piece;
    std::istringstream in(text);
    while (std::getline(in, piece, separator)) {
        pieces.push_back(piece);
    }
    return pieces;
}

// Whether the words are a list of numbers rather than the name of a file.
bool is_list(const std::string& words) {
    return std::ranges::all_of(split(words, ','), [](const std::string& word) {
        return clonal::whole_double(word).has_value();
    });
}

// Whether the words are a list of locus=length pieces.
bool is_named_list(const std::string& words) {
    const std::vector<std::string> pieces = split(words, ',');
    return !pieces.empty() && std::ranges::all_of(pieces, [](const std::string& piece) {
        const std::size_t equals = piece.rfind('=');
        return equals != std::string::npos && equals > 0 &&
               clonal::whole_double(piece.substr(equals + 1)).has_value();
    });
}

// A length for every locus of the data from lengths given by locus name (each with where it was
// given, for errors): a name that is no locus, a locus named twice and a locus without a length
// are errors.
std::vector<double> lengths_by_name(
    const std::vector<std::pair<std::string, std::pair<std::string, std::string>>>& named,
    const MarkerData& data, const std::string& source) {
    std::unordered_map<std::string, double> by_locus;
    for (const auto& [locus, given] : named) {
        const auto& [text, where] = given;
        if (std::ranges::find(data.locus_names, locus) == data.locus_names.end()) {
            throw clonal::SettingError(
                "{setting} gives a length for '" + locus + "', which is not a locus" + where,
                kSetting);
        }
        if (!by_locus.emplace(locus, length_of(text, where)).second) {
            throw clonal::SettingError("{setting} gives locus " + locus + " two lengths" + where,
                                       kSetting);
        }
    }
    std::vector<double> lengths;
    for (const std::string& locus : data.locus_names) {
        const auto found = by_locus.find(locus);
        if (found == by_locus.end()) {
            throw clonal::SettingError("{setting} " + source + "gives no length for locus " + locus,
                                       kSetting);
        }
        lengths.push_back(found->second);
    }
    return lengths;
}

std::vector<double> named_lengths(const std::string& words, const MarkerData& data) {
    std::vector<std::pair<std::string, std::pair<std::string, std::string>>> named;
    for (const std::string& piece : split(words, ',')) {
        const std::size_t equals = piece.rfind('=');
        named.push_back({piece.substr(0, equals), {piece.substr(equals + 1), ""}});
    }
    return lengths_by_name(named, data, "");
}

std::vector<double> listed_lengths(const std::string& words, const MarkerData& data) {
    const std::vector<std::string> pieces = split(words, ',');
    if (pieces.size() != static_cast<std::size_t>(data.n_loci)) {
        throw clonal::SettingError("{setting} lists " + std::to_string(pieces.size()) +
                                       (pieces.size() == 1 ? " length for " : " lengths for ") +
                                       std::to_string(data.n_loci) +
                                       (data.n_loci == 1 ? " locus" : " loci"),
                                   kSetting);
    }
    std::vector<double> lengths;
    for (const std::string& piece : pieces) {
        lengths.push_back(length_of(piece, ""));
    }
    return lengths;
}

std::vector<double> file_lengths(const std::string& file, const MarkerData& data) {
    std::vector<std::pair<std::string, std::pair<std::string, std::string>>> named;
    std::istringstream lines(clonal::read_input_file(file));
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        const std::vector<std::string> fields = split(line, '\t');
        const std::string where = " (" + file + ", line " + std::to_string(number) + ")";
        if (fields.size() != 2) {
            throw clonal::SettingError(
                "{setting} reads lines of a locus, a tab and its length" + where, kSetting);
        }
        named.push_back({fields[0], {fields[1], where}});
    }
    return lengths_by_name(named, data, file + " ");
}

// Where a code stands in repeats from the origin, before the shift.
double repeats(int32_t code, int32_t origin, double length) {
    return std::nearbyint((static_cast<double>(code) - origin) / length);
}

}  // namespace

std::vector<double> guessed_repeat_lengths(const MarkerData& data) {
    std::vector<double> lengths;
    for (int locus = 0; locus < data.n_loci; ++locus) {
        const std::vector<int32_t> codes = locus_codes(data, locus);
        int64_t smallest = 0;
        for (std::size_t c = 1; c < codes.size(); ++c) {
            const int64_t difference = int64_t{codes[c]} - codes[c - 1];
            if (difference > 1 && (smallest == 0 || difference < smallest)) {
                smallest = difference;
            }
        }
        lengths.push_back(smallest == 0 ? 1.0 : static_cast<double>(smallest));
    }
    return lengths;
}

RepeatUnits repeat_units_of(const std::string& words, RepeatRounding rounding,
                            const MarkerData& data) {
    RepeatUnits units;
    if (words == "auto") {
        units.lengths = guessed_repeat_lengths(data);
        units.guessed = true;
    } else if (is_list(words)) {
        units.lengths = listed_lengths(words, data);
    } else if (is_named_list(words)) {
        units.lengths = named_lengths(words, data);
    } else if (words.find(',') != std::string::npos) {
        throw clonal::SettingError(
            "{setting} takes lengths above 0 separated by commas (in locus order, or each as "
            "locus=length), a file of locus<TAB>length lines or auto, not '" +
                words + "'",
            kSetting);
    } else {
        units.lengths = file_lengths(words, data);
    }
    for (int locus = 0; locus < data.n_loci; ++locus) {
        const std::vector<int32_t> codes = locus_codes(data, locus);
        const bool relative = rounding == RepeatRounding::kRelative && !codes.empty();
        units.origins.push_back(relative ? codes.front() : 0);
        // Counts of repeats grow with the code, so the extremes tell whether all codes are one.
        const double length = units.lengths[static_cast<std::size_t>(locus)];
        if (codes.size() >= 2 && repeats(codes.front(), units.origins.back(), length) ==
                                     repeats(codes.back(), units.origins.back(), length)) {
            throw clonal::SettingError(
                clonal::format("{setting} makes the %zu alleles of locus %s one: a length of %s "
                               "against sizes from %d to %d",
                               codes.size(),
                               data.locus_names[static_cast<std::size_t>(locus)].c_str(),
                               clonal::shortest_real(length).c_str(), codes.front(), codes.back()),
                kSetting);
        }
    }
    return units;
}

std::string repeat_lengths_file(const std::string& words) {
    return words.empty() || words == "auto" || words.find(',') != std::string::npos ||
                   is_list(words) || is_named_list(words)
               ? std::string()
               : words;
}

MarkerData in_repeat_units(const MarkerData& data, const RepeatUnits& units) {
    MarkerData result = data;
    for (int locus = 0; locus < data.n_loci; ++locus) {
        const double length = units.lengths[static_cast<std::size_t>(locus)];
        const int32_t origin = units.origins[static_cast<std::size_t>(locus)];
        if (length == 1.0 && origin == 0) {
            continue;
        }
        std::vector<double> counted;
        double smallest = 0.0;
        for (int i = 0; i < data.n_individuals; ++i) {
            for (const int32_t copy : data.locus_genotype(i, locus)) {
                if (copy != 0) {
                    const double r = repeats(copy, origin, length);
                    smallest = counted.empty() ? r : std::min(smallest, r);
                    counted.push_back(r);
                }
            }
        }
        std::size_t next = 0;
        for (int i = 0; i < data.n_individuals; ++i) {
            auto genotype = result.locus_genotype(i, locus);
            for (std::size_t slot = 0; slot < genotype.size(); ++slot) {
                if (data.locus_genotype(i, locus)[slot] == 0) {
                    continue;
                }
                const double unit = counted[next++] - smallest + 1.0;
                if (!(unit < 2147483647.0)) {
                    throw clonal::FatalError(
                        "locus " + data.locus_names[static_cast<std::size_t>(locus)] +
                            " holds more repeat units than a distance can count; check its "
                            "repeat length",
                        clonal::ErrorKind::kLimit);
                }
                genotype[slot] = static_cast<int32_t>(unit);
            }
        }
    }
    return result;
}

std::vector<double> off_repeat_shares(const MarkerData& data, const std::vector<double>& lengths) {
    std::vector<double> shares;
    for (int locus = 0; locus < data.n_loci; ++locus) {
        const std::vector<int32_t> codes = locus_codes(data, locus);
        const double length = lengths[static_cast<std::size_t>(locus)];
        std::size_t off = 0;
        for (const int32_t code : codes) {
            const double steps = (static_cast<double>(code) - codes.front()) / length;
            off += std::abs(steps - std::nearbyint(steps)) > 1e-9 ? 1 : 0;
        }
        shares.push_back(
            codes.empty() ? 0.0 : static_cast<double>(off) / static_cast<double>(codes.size()));
    }
    return shares;
}

std::vector<std::string> repeat_unit_notes(const MarkerData& data, const RepeatUnits& units) {
    std::vector<std::string> notes;
    if (units.lengths.empty()) {
        return notes;
    }
    if (units.guessed) {
        std::string guessed;
        for (std::size_t k = 0; k < units.lengths.size(); ++k) {
            guessed += (k == 0 ? "" : ", ") + data.locus_names[k] + " " +
                       clonal::shortest_real(units.lengths[k]);
        }
        notes.push_back("repeat lengths guessed from the smallest difference between codes (" +
                        guessed + "); a guess, give the real ones where known");
    }
    const std::vector<double> shares = off_repeat_shares(data, units.lengths);
    std::string off;
    int loci = 0;
    for (std::size_t k = 0; k < shares.size(); ++k) {
        if (shares[k] > 0.0) {
            off += (off.empty() ? "" : ", ") + data.locus_names[k];
            ++loci;
        }
    }
    if (loci > 0) {
        notes.push_back(std::string("sizes that are not a whole number of repeats from the "
                                    "smallest one, rounded to the nearest repeat, at ") +
                        (loci == 1 ? "locus " : "loci ") + off + " (see the loci's off_repeat)");
    }
    return notes;
}

}  // namespace kelvane
