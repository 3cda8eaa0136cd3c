// The R functions of marsyl's analyses: diversity indices, their intervals and partitions, the
// resampling tests.
#include <Rcpp.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "glue_conversions.hpp"
#include "marsyl/analysis/bootstrap.hpp"
#include "marsyl/analysis/differentiation.hpp"
#include "marsyl/analysis/diversity.hpp"
#include "marsyl/analysis/diversity_intervals.hpp"
#include "marsyl/analysis/extended.hpp"
#include "marsyl/analysis/jackknife.hpp"
#include "marsyl/analysis/pareto.hpp"
#include "marsyl/analysis/shared.hpp"

using namespace glue;

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
