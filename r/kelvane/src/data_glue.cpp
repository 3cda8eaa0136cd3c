// The R functions of reading a data file into R.
#include <Rcpp.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "glue_conversions.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"
#include "kelvane/data/marker_data_loader.hpp"

using namespace glue;

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
