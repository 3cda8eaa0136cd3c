// The R functions of the groupings: distances, thresholds, clonal genotypes and their suggestions,
// the network.
#include <Rcpp.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "glue_conversions.hpp"
#include "kelvane/analysis/clones.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/analysis/network.hpp"
#include "kelvane/analysis/suggestions.hpp"
#include "kelvane/analysis/thresholds.hpp"

using namespace glue;

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
        const kelvane::DistanceInput input = distance_input(model);
        return with_notes(
            data_frame(kelvane::analysis::suggestions_table(kelvane::analysis::suggestions(
                markers, input, settings, random, interruptible(threads)))),
            distance_notes_and(markers, input));
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
            automatic
                ? kelvane::analysis::automatic_network(markers, input,
                                                       replicate_positions(markers, first, second),
                                                       interruptible(threads))
                : kelvane::analysis::network(markers, input, threshold, interruptible(threads));
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
