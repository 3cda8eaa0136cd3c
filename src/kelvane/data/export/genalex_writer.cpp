// The GenAlEx writer.
#include "kelvane/data/formats/genalex_reader.hpp"
#include "kelvane/data/export/genalex_writer.hpp"

#include <algorithm>
#include <map>
#include <numeric>

#include "common/text/printf.hpp"

namespace kelvane {
namespace {

std::string csv_field(const std::string& text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) {
        return text;
    }
    std::string field = "\"";
    for (const char c : text) {
        field += c;
        if (c == '"') {
            field += '"';
        }
    }
    return field + "\"";
}

}  // namespace

void write_genalex(const MarkerData& data, std::ostream& out, std::vector<std::string>& notes) {
    // The populations in order of their numbers, each with its samples in the order of the data.
    std::vector<std::size_t> order(static_cast<std::size_t>(data.n_individuals));
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::ranges::stable_sort(order, [&](std::size_t a, std::size_t b) {
        return data.pop_vector[a] < data.pop_vector[b];
    });
    if (!std::ranges::is_sorted(order)) {
        notes.push_back("samples written grouped by population, as GenAlEx expects");
    }
    std::map<int32_t, int64_t> sizes;
    for (int p = 1; p <= data.n_populations; ++p) {
        sizes[p] = 0;
    }
    for (const int32_t p : data.pop_vector) {
        ++sizes[p];
    }
    const int32_t slots = data.slots();
    out << data.n_loci << ',' << data.n_individuals << ',' << sizes.size();
    for (const auto& [p, size] : sizes) {
        out << ',' << size;
    }
    std::string title = data.title;
    while (!title.empty() && (title.back() == '\n' || title.back() == '\r')) {
        title.pop_back();
    }
    out << '\n' << csv_field(title) << ",,";
    for (const auto& [p, size] : sizes) {
        out << ',' << csv_field(data.population_name(p));
    }
    out << "\nSample,Pop";
    for (int k = 0; k < data.n_loci; ++k) {
        const auto index = static_cast<std::size_t>(k);
        out << ','
            << csv_field(index < data.locus_names.size() ? data.locus_names[index]
                                                         : clonal::format("Locus%d", k + 1));
        for (int32_t c = 1; c < slots; ++c) {
            out << ',';
        }
    }
    out << '\n';
    const char* missing = slots == 1 ? "-9" : "0";
    // Presence/absence bands (haploid, every code 1 or the absence code 8) go back to GenAlEx's
    // 1 and 0.
    bool bands = slots == 1;
    for (std::size_t c = 0; bands && c < data.copies.size(); ++c) {
        const int32_t copy = data.copies[c];
        bands = copy == 0 || copy == kPresentBand || copy == kAbsentBand;
    }
    for (const std::size_t i : order) {
        out << csv_field(data.ind_names[i]) << ','
            << csv_field(data.population_name(data.pop_vector[i]));
        for (int k = 0; k < data.n_loci; ++k) {
            for (const int32_t copy : data.locus_genotype(static_cast<int>(i), k)) {
                out << ',';
                if (copy == 0) {
                    out << missing;
                } else {
                    out << (bands && copy == kAbsentBand ? 0 : copy);
                }
            }
        }
        out << '\n';
    }
}

}  // namespace kelvane
