// The R functions of the evidence for clones: loci, Psex, linkage among loci, accumulation,
// replicates and kinship.
#include <Rcpp.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "glue_conversions.hpp"
#include "kelvane/analysis/accumulation.hpp"
#include "kelvane/analysis/association.hpp"
#include "kelvane/analysis/error_rate.hpp"
#include "kelvane/analysis/loci.hpp"
#include "kelvane/analysis/psex.hpp"
#include "kelvane/analysis/relatedness.hpp"
#include "kelvane/distance/repeat_units.hpp"
#include "kelvane/evidence/psex/psex_choices.hpp"

using namespace glue;

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
Rcpp::DataFrame kv_error_rate_cpp(Rcpp::List data, std::vector<std::string> first,
                                  std::vector<std::string> second) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        return data_frame(kelvane::analysis::error_rate_table(
            markers, replicate_positions(markers, first, second)));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_relatedness_cpp(Rcpp::List data, Rcpp::Nullable<double> min_kinship,
                                   std::vector<std::string> first, std::vector<std::string> second,
                                   int threads) {
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
