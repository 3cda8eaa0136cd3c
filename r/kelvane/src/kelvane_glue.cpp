// The R functions' way into the library: marker data handed over from R (a file to read, or a
// matrix of allele copies), the settings in words as the command line takes them, every result a
// plain R value. The library never prints and never ends the process; its errors become R errors
// with its sentence, settings named as the R arguments name them.
#include <Rcpp.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/core/random.hpp"
#include "common/core/setting_ranges.hpp"
#include "kelvane/analysis/accumulation.hpp"
#include "kelvane/analysis/amova.hpp"
#include "kelvane/analysis/association.hpp"
#include "kelvane/analysis/clones.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/analysis/error_rate.hpp"
#include "kelvane/analysis/loci.hpp"
#include "kelvane/analysis/nested_amova.hpp"
#include "kelvane/analysis/network.hpp"
#include "kelvane/analysis/psex.hpp"
#include "kelvane/analysis/relatedness.hpp"
#include "kelvane/analysis/spatial.hpp"
#include "kelvane/analysis/suggestions.hpp"
#include "kelvane/analysis/thresholds.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"
#include "kelvane/data/formats/marker_data_builder.hpp"
#include "kelvane/data/marker_data_loader.hpp"
#include "kelvane/distance/repeat_units.hpp"
#include "kelvane/evidence/psex/psex_choices.hpp"
#include "marsyl/analysis/bootstrap.hpp"
#include "marsyl/analysis/differentiation.hpp"
#include "marsyl/analysis/diversity.hpp"
#include "marsyl/analysis/diversity_intervals.hpp"
#include "marsyl/analysis/extended.hpp"
#include "marsyl/analysis/jackknife.hpp"
#include "marsyl/analysis/pareto.hpp"
#include "marsyl/analysis/shared.hpp"

namespace {

// A count given as an R number: NA and values beyond 64 bits become -1, which every analysis
// refuses with its own sentence, instead of a conversion without a defined result.
int64_t count_of(double value) {
    return std::isfinite(value) && std::fabs(value) < 9e18 ? static_cast<int64_t>(value) : -1;
}

// A setting's name as the R functions spell it: the library's, but the model is kv_dist's model
// and the resamples of the diversity intervals are n, as poppr's diversity_ci names them.
std::string r_name(std::string_view setting) {
    return setting == "distance" ? std::string("model")
           : setting == "ci"     ? std::string("n")
                                 : std::string(setting);
}

// data: list(file = path) or list(copies, ploidy, names, populations, loci), copies being
// individuals x (loci x ploidy), locus by locus, 0 or NA for a missing copy.
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

// The model in words: every entry of the list that is not NULL, as the command line's option.
// The pairs of samples named by the replicates argument's two columns, as positions in the data.
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

// A threshold of an analysis that groups on whole distances only: checked as every grouping checks
// it, so that 0.5 is refused rather than truncated.
int32_t whole_threshold_of(double threshold) {
    kelvane::analysis::check_threshold(threshold);
    return kelvane::whole_threshold(threshold);
}

// A table as a data.frame: a column of whole numbers, reals or text as its cells are, NA where a
// cell is missing or not a number (as the tables write both).
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

// The clonal genotype of every individual with its population, populations numbered in the
// order they first come.
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

// The generator at the seeds given (two), or at its start seeds.
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

// The generator at the seeds given, or seeded from the clock as marsyl's commands seed it.
clonal::Random seeded_or_clock(const Rcpp::IntegerVector& seed) {
    if (seed.size() == 0) {
        clonal::Random random;
        clonal::seed_from_clock(random, clonal::machine_local_time());
        return random;
    }
    return seeded(seed);
}

// How the library's long loops run from R: on the threads asked for, stopping at Ctrl-C. The
// library reports its progress now and then on the calling thread; there the interrupt is
// checked, and a pending one unwinds the computation as a C++ exception, which the library
// passes on once its workers are done and Rcpp turns into R's interrupt.
void check_interrupt(void*) {
    R_CheckUserInterrupt();
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

// Runs body, turning the library's errors into R errors with its sentence.
template <class Body>
auto guarded(Body body) -> decltype(body()) {
    try {
        return body();
    } catch (const clonal::FatalError& error) {
        std::string sentence = error.sentence(r_name);
        if (!error.file().empty()) {
            sentence = error.file() + ": " + sentence;
        }
        Rcpp::stop(sentence);
    } catch (const std::bad_alloc&) {
        Rcpp::stop("out of memory: the data need more memory than this machine has");
    } catch (const std::length_error&) {
        // A size beyond what a container holds, as the command line reports it.
        Rcpp::stop("out of memory: the data need more memory than this machine has");
    }
}

}  // namespace

// [[Rcpp::export]]
Rcpp::NumericVector kv_dist_cpp(Rcpp::List data, Rcpp::List model, bool rounded, int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        const std::vector<double> values = kelvane::distance_values(
            markers, distance_input(model), !rounded, interruptible(threads));
        // R's dist holds the lower triangle column by column: (2,1), (3,1), ..., (n,1), (3,2), ...
        const int n = markers.n_individuals;
        Rcpp::NumericVector result(static_cast<R_xlen_t>(values.size()));
        R_xlen_t next = 0;
        for (int j = 0; j < n; ++j) {
            for (int i = j + 1; i < n; ++i) {
                const double value =
                    values[static_cast<std::size_t>(i) * static_cast<std::size_t>(i - 1) / 2 +
                           static_cast<std::size_t>(j)];
                result[next++] = std::isnan(value) ? NA_REAL : value;
            }
        }
        result.attr("Size") = n;
        result.attr("Labels") = Rcpp::wrap(markers.ind_names);
        result.attr("Diag") = false;
        result.attr("Upper") = false;
        result.attr("method") = markers.ind_names.empty() ? "" : "kelvane";
        result.attr("class") = "dist";
        return result;
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_thresholds_cpp(Rcpp::List data, Rcpp::List model, std::string linkage,
                                  int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        const kelvane::DistanceInput input = distance_input(model);
        return data_frame(kelvane::analysis::thresholds_table(
            kelvane::analysis::thresholds(markers, input, kelvane::linkage_named(linkage),
                                          interruptible(threads)),
            input.unrounded));
    });
}

// [[Rcpp::export]]
Rcpp::IntegerVector kv_clones_cpp(Rcpp::List data, Rcpp::List model, double threshold,
                                  bool automatic, std::vector<std::string> first,
                                  std::vector<std::string> second, std::string linkage,
                                  int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        kelvane::analysis::ClonesSettings settings;
        settings.threshold = threshold;
        settings.linkage = kelvane::linkage_named(linkage);
        settings.automatic = automatic;
        settings.replicates = replicate_positions(markers, first, second);
        const auto result = kelvane::analysis::clones(markers, distance_input(model), settings,
                                                      interruptible(threads));
        Rcpp::IntegerVector numbers = Rcpp::wrap(result.genotypes.numbers);
        numbers.attr("names") = Rcpp::wrap(markers.ind_names);
        if (result.automatic) {
            numbers.attr("threshold") = result.automatic->threshold;
            numbers.attr("reason") = kelvane::automatic_threshold_words(*result.automatic);
        }
        return numbers;
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_suggest_cpp(Rcpp::List data, Rcpp::List model, double fraction, double alpha,
                               int simulations, Rcpp::IntegerVector seed,
                               std::vector<std::string> first, std::vector<std::string> second,
                               std::string linkage, int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        kelvane::analysis::SuggestionSettings settings;
        settings.replicates = replicate_positions(markers, first, second);
        settings.fraction = fraction;
        settings.alpha = alpha;
        settings.simulations = simulations;
        settings.linkage = kelvane::linkage_named(linkage);
        clonal::Random random = seeded(seed);
        return data_frame(kelvane::analysis::suggestions_table(kelvane::analysis::suggestions(
            markers, distance_input(model), settings, random, interruptible(threads))));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_loci_cpp(Rcpp::List data, Rcpp::List model) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        return data_frame(kelvane::analysis::loci_table(
            markers, kelvane::analysis::loci(markers),
            kelvane::analysis::off_repeat_of(markers, distance_input(model))));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_diversity_cpp(Rcpp::IntegerVector genotypes, Rcpp::CharacterVector populations,
                                 bool extended, bool partition, double rarefy) {
    return guarded([&] {
        const marsyl::analysis::ClonalInput input = clonal_input(genotypes, populations);
        if (extended) {
            return data_frame(marsyl::analysis::extended_table(input.data, count_of(rarefy)));
        }
        const auto results = marsyl::analysis::diversity(input);
        return data_frame(partition ? marsyl::analysis::partitioning_table(input.data, results)
                                    : marsyl::analysis::indices_table(input.data, results));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_diversity_ci_cpp(Rcpp::IntegerVector genotypes,
                                    Rcpp::CharacterVector populations, double resamples,
                                    double level, Rcpp::IntegerVector seed) {
    return guarded([&] {
        const marsyl::analysis::ClonalInput input = clonal_input(genotypes, populations);
        marsyl::analysis::IntervalSettings settings;
        settings.resamples = count_of(resamples);
        settings.level = level;
        marsyl::analysis::check_interval_settings(settings);
        clonal::Random random = seeded_or_clock(seed);
        return data_frame(marsyl::analysis::diversity_interval_table(input.data, settings, random));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_pareto_cpp(Rcpp::IntegerVector genotypes, Rcpp::CharacterVector populations) {
    return guarded([&] {
        return data_frame(
            marsyl::analysis::pareto_table(clonal_input(genotypes, populations).data));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_shared_cpp(Rcpp::IntegerVector genotypes, Rcpp::CharacterVector populations,
                              bool all) {
    return guarded([&] {
        return data_frame(
            marsyl::analysis::shared_table(clonal_input(genotypes, populations).data, all));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_amova_cpp(Rcpp::List data, Rcpp::List model, double permutations,
                             Rcpp::IntegerVector seed, int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        const kelvane::DistanceMatrix matrix =
            kelvane::distance_matrix(markers, distance_input(model), interruptible(threads));
        kelvane::analysis::AmovaSettings settings;
        settings.permutations = count_of(permutations);
        clonal::Random random = seeded(seed);
        return data_frame(kelvane::analysis::amova_result_table(
            kelvane::analysis::amova(markers, matrix, settings, random, interruptible(threads))));
    });
}

// strata: NULL, or a list of character vectors (one per level, named, a value per individual).
std::optional<kelvane::Strata> strata_of(const Rcpp::Nullable<Rcpp::List>& strata,
                                         const kelvane::MarkerData& markers) {
    if (strata.isNull()) {
        return std::nullopt;
    }
    const Rcpp::List columns(strata.get());
    kelvane::Strata read;
    const Rcpp::CharacterVector names = columns.names();
    for (R_xlen_t c = 0; c < columns.size(); ++c) {
        auto values = Rcpp::as<std::vector<std::string>>(columns[c]);
        if (static_cast<int>(values.size()) != markers.n_individuals) {
            throw clonal::FatalError("strata must have a row per individual (" +
                                     std::to_string(markers.n_individuals) + "), not " +
                                     std::to_string(values.size()));
        }
        read.levels.push_back(Rcpp::as<std::string>(names[c]));
        read.values.push_back(std::move(values));
    }
    return read;
}

kelvane::analysis::AmovaDesign amova_design(const std::optional<kelvane::Strata>& strata,
                                            Rcpp::CharacterVector hierarchy, bool clone_correct,
                                            Rcpp::Nullable<double> threshold,
                                            std::string euclidean) {
    kelvane::analysis::AmovaDesign design;
    design.hierarchy = Rcpp::as<std::vector<std::string>>(hierarchy);
    design.strata = strata ? &*strata : nullptr;
    design.clone_correct = clone_correct;
    if (threshold.isNotNull()) {
        design.clone_threshold = whole_threshold_of(Rcpp::as<double>(threshold.get()));
    }
    design.euclidean = clonal::choice_named(kelvane::euclidean_readings(), euclidean, "euclidean");
    return design;
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_amova_design_cpp(Rcpp::List data, Rcpp::List model,
                                    Rcpp::Nullable<Rcpp::List> strata,
                                    Rcpp::CharacterVector hierarchy, bool within,
                                    bool clone_correct, Rcpp::Nullable<double> threshold,
                                    std::string euclidean, double permutations,
                                    Rcpp::IntegerVector seed, int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        const kelvane::DistanceInput input = distance_input(model);
        const kelvane::DistanceMatrix matrix =
            kelvane::distance_matrix(markers, input, interruptible(threads));
        const std::optional<kelvane::Strata> levels = strata_of(strata, markers);
        kelvane::analysis::NestedAmovaSettings settings;
        settings.design = amova_design(levels, hierarchy, clone_correct, threshold, euclidean);
        settings.design.within = within;
        settings.permutations = count_of(permutations);
        clonal::Random random = seeded(seed);
        return data_frame(kelvane::analysis::nested_amova_table(kelvane::analysis::nested_amova(
            markers, matrix, input, settings, random, interruptible(threads))));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_pairwise_phi_cpp(Rcpp::List data, Rcpp::List model,
                                    Rcpp::Nullable<Rcpp::List> strata,
                                    Rcpp::CharacterVector hierarchy, bool clone_correct,
                                    Rcpp::Nullable<double> threshold, std::string euclidean,
                                    double permutations, std::string adjust,
                                    Rcpp::IntegerVector seed, int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        const kelvane::DistanceMatrix matrix =
            kelvane::distance_matrix(markers, distance_input(model), interruptible(threads));
        const std::optional<kelvane::Strata> levels = strata_of(strata, markers);
        kelvane::analysis::PairwisePhiSettings settings;
        settings.design = amova_design(levels, hierarchy, clone_correct, threshold, euclidean);
        settings.permutations = count_of(permutations);
        const auto adjustment = clonal::p_adjustment_named(adjust);
        if (!adjustment) {
            throw clonal::FatalError("adjust must be none, holm or bh, not '" + adjust + "'");
        }
        clonal::Random random = seeded(seed);
        return data_frame(kelvane::analysis::pairwise_phi_table(
            kelvane::analysis::pairwise_phi(markers, matrix, settings, random,
                                            interruptible(threads)),
            *adjustment));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_ia_cpp(Rcpp::List data, Rcpp::List model, double permutations,
                          bool clone_correct, Rcpp::Nullable<double> threshold,
                          Rcpp::IntegerVector seed, int threads, bool pairs) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        kelvane::analysis::AssociationSettings settings;
        settings.permutations = count_of(permutations);
        settings.clone_correct = clone_correct;
        if (threshold.isNotNull()) {
            settings.threshold = Rcpp::as<double>(threshold.get());
        }
        clonal::Random random = seeded(seed);
        if (pairs) {
            return data_frame(kelvane::analysis::locus_pair_table(
                markers,
                kelvane::analysis::locus_pair_association(markers, settings, distance_input(model),
                                                          random, interruptible(threads))));
        }
        return data_frame(kelvane::analysis::association_table(
            markers, kelvane::analysis::association(markers, settings, distance_input(model),
                                                    random, interruptible(threads))));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_relatedness_cpp(Rcpp::List data, Rcpp::Nullable<double> min_kinship,
                                   std::vector<std::string> first,
                                   std::vector<std::string> second, int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        kelvane::analysis::RelatednessSettings settings;
        if (min_kinship.isNotNull()) {
            settings.min_kinship = Rcpp::as<double>(min_kinship.get());
        }
        settings.replicates = replicate_positions(markers, first, second);
        const kelvane::analysis::RelatednessResult result =
            kelvane::analysis::relatedness(markers, settings, interruptible(threads));
        Rcpp::DataFrame table =
            data_frame(kelvane::analysis::relatedness_table(markers, result, settings));
        if (!result.counts.empty()) {
            table.attr("scale") = kelvane::relationship_words(result.scale);
        }
        return table;
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_error_rate_cpp(Rcpp::List data, std::vector<std::string> first,
                                  std::vector<std::string> second) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        return data_frame(kelvane::analysis::error_rate_table(
            markers, replicate_positions(markers, first, second)));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_accumulation_cpp(Rcpp::List data, double draws, Rcpp::IntegerVector seed,
                                    int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        kelvane::analysis::AccumulationSettings settings;
        settings.draws = count_of(draws);
        clonal::Random random = seeded(seed);
        return data_frame(kelvane::analysis::accumulation_table(
            kelvane::analysis::accumulation(markers, settings, random, interruptible(threads))));
    });
}

// [[Rcpp::export]]
Rcpp::List kv_read_cpp(std::string file) {
    return guarded([&] {
        kelvane::DataInput input;
        input.file = file;
        const kelvane::MarkerData data = kelvane::read_data_file(input).data;
        const int ploidy = data.slots();
        Rcpp::IntegerMatrix copies(data.n_individuals, data.n_loci * ploidy);
        for (int i = 0; i < data.n_individuals; ++i) {
            for (int k = 0; k < data.n_loci; ++k) {
                int c = 0;
                for (const int32_t copy : data.locus_genotype(i, k)) {
                    copies(i, k * ploidy + c++) = copy;
                }
            }
        }
        std::vector<std::string> populations;
        for (const int32_t population : data.pop_vector) {
            populations.push_back(data.population_name(population));
        }
        return Rcpp::List::create(Rcpp::Named("copies") = copies, Rcpp::Named("ploidy") = ploidy,
                                  Rcpp::Named("names") = data.ind_names,
                                  Rcpp::Named("populations") = populations,
                                  Rcpp::Named("loci") = data.locus_names);
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_bootstrap_cpp(Rcpp::IntegerVector genotypes, Rcpp::CharacterVector populations,
                                 int permutations, Rcpp::IntegerVector seed) {
    return guarded([&] {
        const marsyl::analysis::ClonalInput input = clonal_input(genotypes, populations);
        marsyl::analysis::BootstrapSettings settings;
        settings.permutations = permutations;
        clonal::Random random = seeded_or_clock(seed);
        marsyl::analysis::BootstrapWatch watch;
        watch.progress = interruptible(0).progress;
        return data_frame(marsyl::analysis::bootstrap_table(
            input.data, marsyl::analysis::bootstrap(input.data, settings, random, watch)));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_differentiation_cpp(Rcpp::IntegerVector genotypes,
                                       Rcpp::CharacterVector populations, int permutations,
                                       Rcpp::IntegerVector seed) {
    return guarded([&] {
        const marsyl::analysis::ClonalInput input = clonal_input(genotypes, populations);
        marsyl::analysis::DifferentiationSettings settings;
        settings.permutations = permutations;
        clonal::Random random = seeded_or_clock(seed);
        marsyl::analysis::DifferentiationWatch watch;
        watch.progress = interruptible(0).progress;
        return data_frame(marsyl::analysis::differentiation_table(
            input.data, marsyl::analysis::differentiation(input.data, settings, random, watch)));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_jackknife_cpp(Rcpp::IntegerVector genotypes, Rcpp::CharacterVector populations,
                                 int subsamples, Rcpp::IntegerVector seed) {
    return guarded([&] {
        marsyl::analysis::ClonalInput input = clonal_input(genotypes, populations);
        marsyl::analysis::JackknifeSettings settings;
        settings.subsamples = subsamples;
        clonal::Random random = seeded_or_clock(seed);
        marsyl::analysis::JackknifeWatch watch;
        watch.progress = interruptible(0).progress;
        const auto curves = marsyl::analysis::jackknife(input.data, settings, random, watch);
        return data_frame(marsyl::analysis::jackknife_table(input.data, curves));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_psex_cpp(Rcpp::List data, Rcpp::List model, Rcpp::Nullable<double> threshold,
                            std::string frequencies, std::string rr_fill, bool by_population,
                            bool fis, std::string method, double simulations,
                            Rcpp::IntegerVector seed, int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        kelvane::analysis::PsexAnalysisSettings settings;
        kelvane::PsexSettings& psex = settings.psex;
        psex.frequencies =
            clonal::choice_named(kelvane::frequency_sources(), frequencies, "frequencies");
        psex.fill = clonal::choice_named(kelvane::rare_allele_fills(), rr_fill, "rr_fill");
        psex.method = clonal::choice_named(kelvane::psex_methods(), method, "method");
        psex.by_population = by_population;
        psex.fis = fis;
        psex.simulations = count_of(simulations);
        psex.threads = threads;
        if (threshold.isNotNull()) {
            settings.threshold = Rcpp::as<double>(threshold.get());
        }
        clonal::Random random = seeded(seed);
        return data_frame(kelvane::analysis::psex_result_table(
            markers, kelvane::analysis::psex(markers, settings, distance_input(model), random,
                                             interruptible(threads))));
    });
}

// [[Rcpp::export]]
Rcpp::List kv_network_cpp(Rcpp::List data, Rcpp::List model, double threshold, bool automatic,
                          std::vector<std::string> first, std::vector<std::string> second,
                          int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        const kelvane::DistanceInput input = distance_input(model);
        const kelvane::analysis::NetworkResult network =
            automatic ? kelvane::analysis::automatic_network(
                            markers, input, replicate_positions(markers, first, second),
                            interruptible(threads))
                      : kelvane::analysis::network(markers, input, threshold,
                                                   interruptible(threads));
        // Nodes: the genotypes with their members and counts per population; edges between
        // genotype numbers weighted by their distance.
        Rcpp::IntegerVector genotype_of = Rcpp::wrap(network.genotypes.numbers);
        genotype_of.attr("names") = Rcpp::wrap(markers.ind_names);
        return Rcpp::List::create(
            Rcpp::Named("nodes") =
                data_frame(kelvane::analysis::network_node_table(markers, network)),
            Rcpp::Named("edges") = data_frame(kelvane::analysis::network_edge_table(network)),
            Rcpp::Named("genotype") = genotype_of);
    });
}

// [[Rcpp::export]]
Rcpp::List kv_spatial_cpp(Rcpp::List data, Rcpp::List model, std::string analysis,
                          Rcpp::NumericVector x, Rcpp::NumericVector y, bool geographic,
                          Rcpp::Nullable<double> threshold, int classes, bool equal_pairs,
                          Rcpp::NumericVector class_limits, Rcpp::NumericVector center,
                          std::string level, double permutations, Rcpp::IntegerVector seed,
                          int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        if (x.size() != markers.n_individuals || y.size() != markers.n_individuals) {
            throw clonal::FatalError("coordinates need a row per individual of the data");
        }
        kelvane::Coordinates coordinates;
        coordinates.geographic = geographic;
        coordinates.x.assign(x.begin(), x.end());
        coordinates.y.assign(y.begin(), y.end());
        for (int i = 0; i < markers.n_individuals; ++i) {
            if (!std::isfinite(coordinates.x[static_cast<std::size_t>(i)]) ||
                !std::isfinite(coordinates.y[static_cast<std::size_t>(i)])) {
                throw clonal::FatalError("the individual '" +
                                         markers.ind_names[static_cast<std::size_t>(i)] +
                                         "' has no coordinates");
            }
        }
        std::optional<int32_t> at;
        if (threshold.isNotNull()) {
            at = whole_threshold_of(Rcpp::as<double>(threshold));
        }
        const kelvane::Genotypes genets = kelvane::analysis::genets_of(
            markers, distance_input(model), at, interruptible(threads));
        kelvane::ClassSettings settings;
        settings.classes = classes;
        settings.equal_pairs = equal_pairs;
        settings.limits.assign(class_limits.begin(), class_limits.end());
        clonal::Random random = seeded(seed);
        const auto count = count_of(permutations);
        const auto chosen =
            clonal::choice_named(kelvane::analysis::spatial_analyses(), analysis, "analysis");
        if (chosen == kelvane::analysis::SpatialAnalysis::kSubrange) {
            const kelvane::SubrangeResult result =
                kelvane::analysis::subrange(markers, coordinates, genets, settings);
            return Rcpp::List::create(
                Rcpp::Named("classes") = data_frame(kelvane::analysis::subrange_table(result)),
                Rcpp::Named("genets") = data_frame(kelvane::analysis::genet_spread_table(result)));
        }
        if (chosen == kelvane::analysis::SpatialAnalysis::kAggregation) {
            return Rcpp::List::create(
                Rcpp::Named("table") = data_frame(kelvane::analysis::aggregation_table(
                    kelvane::analysis::aggregation(markers, coordinates, genets, count, random))));
        }
        if (chosen == kelvane::analysis::SpatialAnalysis::kEdge) {
            std::optional<std::pair<double, double>> centre;
            if (center.size() == 2) {
                centre = {center[0], center[1]};
            }
            return Rcpp::List::create(
                Rcpp::Named("table") = data_frame(kelvane::analysis::edge_table(
                    kelvane::analysis::edge(markers, coordinates, genets, centre, count, random))));
        }
        const kelvane::CorrelogramResult result = kelvane::analysis::autocorrelation(
            markers, coordinates, genets,
            clonal::choice_named(kelvane::kinship_levels(), level, "level"), settings, count,
            random, interruptible(threads));
        return Rcpp::List::create(
            Rcpp::Named("classes") = data_frame(kelvane::analysis::autocorrelation_table(result)),
            Rcpp::Named("summary") =
                data_frame(kelvane::analysis::autocorrelation_summary_table(result)));
    });
}
