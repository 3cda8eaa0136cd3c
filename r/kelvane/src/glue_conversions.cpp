// The conversions between R's values and the library's.
#include "glue_conversions.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "common/core/setting_ranges.hpp"
#include "kelvane/analysis/clones.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"
#include "kelvane/data/formats/marker_data_builder.hpp"
#include "kelvane/data/marker_data_loader.hpp"

namespace glue {
namespace {

// How the library's long loops run from R: on the threads asked for, stopping at Ctrl-C. The
// library reports its progress now and then on the calling thread; there the interrupt is
// checked, and a pending one unwinds the computation as a C++ exception, which the library
// passes on once its workers are done and Rcpp turns into R's interrupt.
void check_interrupt(void*) {
    R_CheckUserInterrupt();
}

}  // namespace

int64_t count_of(double value) {
    return std::isfinite(value) && std::fabs(value) < 9e18 ? static_cast<int64_t>(value) : -1;
}

std::string r_name(std::string_view setting) {
    return setting == "distance" ? std::string("model")
           : setting == "ci"     ? std::string("n")
                                 : std::string(setting);
}

kelvane::MarkerData marker_data(const Rcpp::List& data) {
    if (data.containsElementNamed("file")) {
        kelvane::DataInput input;
        input.file = Rcpp::as<std::string>(data["file"]);
        return kelvane::read_data_file(input).data;
    }
    const Rcpp::IntegerMatrix copies = data["copies"];
    const int ploidy = Rcpp::as<int>(data["ploidy"]);
    const Rcpp::CharacterVector names = data["names"];
    const Rcpp::CharacterVector populations = data["populations"];
    const auto loci = Rcpp::as<std::vector<std::string>>(data["loci"]);
    kelvane::MarkerDataBuilder builder("R data", loci);
    std::vector<int32_t> genotype;
    for (int i = 0; i < copies.nrow(); ++i) {
        builder.add_individual(Rcpp::as<std::string>(names[i]),
                               builder.population(Rcpp::as<std::string>(populations[i])));
        for (std::size_t k = 0; k < loci.size(); ++k) {
            genotype.clear();
            for (int c = 0; c < ploidy; ++c) {
                const int value = copies(i, static_cast<int>(k) * ploidy + c);
                genotype.push_back(value == NA_INTEGER ? 0 : value);
            }
            builder.add_genotype(genotype);
        }
    }
    // The alleles counted as every reader counts them, so that bands are offered Dice.
    kelvane::MarkerData built = std::move(builder).build();
    kelvane::tally_alleles(built);
    return built;
}

std::vector<std::pair<int, int>> replicate_positions(const kelvane::MarkerData& markers,
                                                     const std::vector<std::string>& first,
                                                     const std::vector<std::string>& second) {
    const auto position = [&](const std::string& name) {
        const auto found = std::find(markers.ind_names.begin(), markers.ind_names.end(), name);
        if (found == markers.ind_names.end()) {
            throw clonal::SettingError(
                "{setting} names '" + name + "', which is no individual of the data", "replicates");
        }
        return static_cast<int>(found - markers.ind_names.begin());
    };
    std::vector<std::pair<int, int>> pairs;
    for (std::size_t p = 0; p < first.size() && p < second.size(); ++p) {
        pairs.emplace_back(position(first[p]), position(second[p]));
        if (pairs.back().first == pairs.back().second) {
            throw clonal::SettingError("{setting} pairs " + first[p] + " with itself",
                                       "replicates");
        }
    }
    return pairs;
}

kelvane::DistanceInput distance_input(const Rcpp::List& model) {
    kelvane::DistanceInput input;
    const auto word = [&](const char* name, std::string& into) {
        if (model.containsElementNamed(name) && !Rf_isNull(model[name])) {
            into = Rcpp::as<std::string>(model[name]);
        }
    };
    word("distance", input.model.distance);
    word("missing", input.model.missing);
    word("multiplier", input.model.multiplier);
    word("base", input.model.base);
    word("absence_code", input.model.absence_code);
    word("repeat_lengths", input.model.repeat_lengths);
    word("repeat_rounding", input.model.repeat_rounding);
    word("partial_genotypes", input.model.partial_genotypes);
    word("min_shared_loci", input.model.min_shared_loci);
    if (model.containsElementNamed("unrounded") && !Rf_isNull(model["unrounded"])) {
        input.unrounded = Rcpp::as<bool>(model["unrounded"]);
    }
    return input;
}

int32_t whole_threshold_of(double threshold) {
    kelvane::analysis::check_threshold(threshold);
    return kelvane::whole_threshold(threshold);
}

Rcpp::DataFrame data_frame(const clonal::ResultTable& table) {
    Rcpp::List columns(table.columns().size());
    for (std::size_t c = 0; c < table.columns().size(); ++c) {
        bool text = false;
        bool real = false;
        for (const auto& row : table.rows()) {
            text = text || std::holds_alternative<std::string>(row[c]);
            real = real || std::holds_alternative<double>(row[c]) ||
                   (std::holds_alternative<int64_t>(row[c]) &&
                    std::abs(std::get<int64_t>(row[c])) > 2147483647);
        }
        const auto n = static_cast<R_xlen_t>(table.rows().size());
        if (text) {
            Rcpp::CharacterVector column(n);
            for (R_xlen_t r = 0; r < n; ++r) {
                const auto& cell = table.rows()[static_cast<std::size_t>(r)][c];
                column[r] = std::holds_alternative<std::string>(cell)
                                ? Rcpp::String(std::get<std::string>(cell))
                                : Rcpp::String(NA_STRING);
            }
            columns[static_cast<R_xlen_t>(c)] = column;
        } else if (real) {
            Rcpp::NumericVector column(n);
            for (R_xlen_t r = 0; r < n; ++r) {
                const auto& cell = table.rows()[static_cast<std::size_t>(r)][c];
                column[r] =
                    std::holds_alternative<double>(cell) && !std::isnan(std::get<double>(cell))
                        ? std::get<double>(cell)
                    : std::holds_alternative<int64_t>(cell)
                        ? static_cast<double>(std::get<int64_t>(cell))
                        : NA_REAL;
            }
            columns[static_cast<R_xlen_t>(c)] = column;
        } else {
            Rcpp::IntegerVector column(n);
            for (R_xlen_t r = 0; r < n; ++r) {
                const auto& cell = table.rows()[static_cast<std::size_t>(r)][c];
                column[r] = std::holds_alternative<int64_t>(cell)
                                ? static_cast<int>(std::get<int64_t>(cell))
                                : NA_INTEGER;
            }
            columns[static_cast<R_xlen_t>(c)] = column;
        }
    }
    columns.attr("names") = Rcpp::wrap(table.columns());
    columns.attr("class") = "data.frame";
    columns.attr("row.names") =
        Rcpp::IntegerVector::create(NA_INTEGER, -static_cast<int>(table.rows().size()));
    return columns;
}

std::vector<std::string> distance_notes_and(const kelvane::MarkerData& markers,
                                            const kelvane::DistanceInput& input,
                                            std::vector<std::string> notes) {
    std::vector<std::string> all = kelvane::distance_notes(markers, input);
    all.insert(all.end(), notes.begin(), notes.end());
    return all;
}

Rcpp::DataFrame with_notes(Rcpp::DataFrame table, const std::vector<std::string>& notes) {
    if (!notes.empty()) {
        table.attr("notes") = Rcpp::wrap(notes);
    }
    return table;
}

marsyl::analysis::ClonalInput clonal_input(const Rcpp::IntegerVector& genotypes,
                                           const Rcpp::CharacterVector& populations) {
    marsyl::analysis::ClonalInput input;
    clonal::ClonalData& clonal = input.data;
    clonal.title = "R data\n";
    clonal.names = {""};
    clonal.genotypes = {{}};
    std::vector<std::string> order;
    for (R_xlen_t i = 0; i < genotypes.size(); ++i) {
        if (genotypes[i] == NA_INTEGER || genotypes[i] < 0) {
            throw clonal::SettingError("{setting} takes whole numbers of 0 or more", "genotypes");
        }
        const std::string population = Rcpp::as<std::string>(populations[i]);
        auto at = std::find(order.begin(), order.end(), population);
        if (at == order.end()) {
            order.push_back(population);
            clonal.names.push_back(population);
            clonal.genotypes.emplace_back();
            at = order.end() - 1;
        }
        const int32_t genotype = genotypes[i];
        clonal.genotypes[static_cast<std::size_t>(at - order.begin()) + 1].push_back(genotype);
        input.largest_genotype = std::max(input.largest_genotype, genotype);
    }
    clonal.populations = static_cast<int32_t>(order.size());
    return input;
}

clonal::Random seeded(const Rcpp::IntegerVector& seed) {
    clonal::Random random;
    if (seed.size() == 0) {
        return random;
    }
    // NA is the smallest integer here, below the range as 0 is.
    if (seed.size() != 2 || !clonal::seeds_in_range(seed[0], seed[1])) {
        throw clonal::SettingError("{setting} takes " + clonal::seeds_words(), "seed");
    }
    random.set_seeds(seed[0], seed[1]);
    return random;
}

clonal::Random seeded_or_clock(const Rcpp::IntegerVector& seed) {
    if (seed.size() == 0) {
        clonal::Random random;
        clonal::seed_from_clock(random, clonal::machine_local_time());
        return random;
    }
    return seeded(seed);
}

clonal::WorkSettings interruptible(int threads) {
    // NA is the smallest integer here, below the range.
    clonal::check_setting("threads", threads);
    return {threads, [](uint64_t, uint64_t) {
                if (R_ToplevelExec(check_interrupt, nullptr) == FALSE) {
                    throw Rcpp::internal::InterruptedException();
                }
            }};
}

}  // namespace glue
