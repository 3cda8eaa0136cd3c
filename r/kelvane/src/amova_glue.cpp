// The R functions of the AMOVA of the populations or of a sampling design, and pairwise Phi-st.
#include <Rcpp.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "glue_conversions.hpp"
#include "kelvane/analysis/amova.hpp"
#include "kelvane/analysis/nested_amova.hpp"

using namespace glue;

// [[Rcpp::export]]
Rcpp::DataFrame kv_amova_cpp(Rcpp::List data, Rcpp::List model, double permutations,
                             Rcpp::IntegerVector seed, int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        const kelvane::DistanceInput input = distance_input(model);
        const kelvane::DistanceMatrix matrix =
            kelvane::distance_matrix(markers, input, interruptible(threads));
        kelvane::analysis::AmovaSettings settings;
        settings.permutations = count_of(permutations);
        clonal::Random random = seeded(seed);
        return with_notes(
            data_frame(kelvane::analysis::amova_result_table(kelvane::analysis::amova(
                markers, matrix, settings, random, interruptible(threads)))),
            distance_notes_and(markers, input, kelvane::analysis::amova_distance_notes(input)));
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
        const kelvane::analysis::NestedAmovaResult result = kelvane::analysis::nested_amova(
            markers, matrix, input, settings, random, interruptible(threads));
        return with_notes(data_frame(kelvane::analysis::nested_amova_table(result)),
                          distance_notes_and(
                              markers, input,
                              kelvane::analysis::reading_notes(input, settings.design.euclidean,
                                                               result.corrected, result.constant)));
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
        const kelvane::DistanceInput input = distance_input(model);
        const kelvane::DistanceMatrix matrix =
            kelvane::distance_matrix(markers, input, interruptible(threads));
        const std::optional<kelvane::Strata> levels = strata_of(strata, markers);
        kelvane::analysis::PairwisePhiSettings settings;
        settings.design = amova_design(levels, hierarchy, clone_correct, threshold, euclidean);
        settings.permutations = count_of(permutations);
        const auto adjustment = clonal::p_adjustment_named(adjust);
        if (!adjustment) {
            throw clonal::FatalError("adjust must be none, holm or bh, not '" + adjust + "'");
        }
        clonal::Random random = seeded(seed);
        return with_notes(data_frame(kelvane::analysis::pairwise_phi_table(
                              kelvane::analysis::pairwise_phi(markers, matrix, settings, random,
                                                              interruptible(threads)),
                              *adjustment)),
                          distance_notes_and(markers, input,
                                             kelvane::analysis::pairwise_reading_notes(
                                                 input, settings.design.euclidean)));
    });
}
