// The R functions of where the clones are.
#include <Rcpp.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "glue_conversions.hpp"
#include "kelvane/analysis/spatial.hpp"

using namespace glue;

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
