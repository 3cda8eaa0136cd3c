// The R functions of the genet registry: a batch added or queried, the genets and samples stored.
#include <Rcpp.h>

#include <optional>
#include <string>

#include "glue_conversions.hpp"
#include "kelvane/analysis/registry.hpp"

using namespace glue;

namespace {

Rcpp::DataFrame batch_frame(const kelvane::analysis::RegistryBatch& batch) {
    Rcpp::DataFrame table = data_frame(batch.table);
    table.attr("batch") = static_cast<double>(batch.batch);
    table.attr("founded") = static_cast<double>(batch.founded);
    table.attr("merges") = static_cast<double>(batch.merges);
    return table;
}

}  // namespace

// [[Rcpp::export]]
Rcpp::DataFrame kv_registry_add_cpp(std::string registry, Rcpp::List data,
                                    Rcpp::Nullable<Rcpp::List> model,
                                    Rcpp::Nullable<double> threshold, std::string source,
                                    int threads) {
    return guarded([&] {
        const kelvane::MarkerData markers = marker_data(data);
        kelvane::analysis::RegistrySettings settings;
        if (model.isNotNull()) {
            settings.model = distance_input(Rcpp::List(model.get())).model;
        }
        if (threshold.isNotNull()) {
            settings.threshold = Rcpp::as<double>(threshold.get());
        }
        settings.source = source;
        return batch_frame(kelvane::analysis::registry_add(registry, markers, settings,
                                                           interruptible(threads)));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_registry_query_cpp(std::string registry, Rcpp::List data, int threads) {
    return guarded([&] {
        return batch_frame(kelvane::analysis::registry_query(registry, marker_data(data), {},
                                                             interruptible(threads)));
    });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_registry_genets_cpp(std::string registry) {
    return guarded([&] { return data_frame(kelvane::analysis::registry_genets(registry)); });
}

// [[Rcpp::export]]
Rcpp::DataFrame kv_registry_samples_cpp(std::string registry) {
    return guarded([&] { return data_frame(kelvane::analysis::registry_samples(registry)); });
}
