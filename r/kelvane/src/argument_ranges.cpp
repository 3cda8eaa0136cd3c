// The library's table of setting ranges, for the R functions to check their arguments against
// before any work, in the words of the library and the command line.
#include <Rcpp.h>

#include <string>

#include "common/core/setting_ranges.hpp"

// [[Rcpp::export]]
std::string kv_range_words_cpp(std::string key) {
    return key == "seed" ? clonal::seeds_words() : clonal::range_words(clonal::setting_range(key));
}

// [[Rcpp::export]]
bool kv_in_range_cpp(std::string key, Rcpp::NumericVector value) {
    if (key == "seed") {
        return value.size() == 2 && clonal::seeds_in_range(value[0], value[1]);
    }
    return value.size() == 1 && clonal::in_range(clonal::setting_range(key), value[0]);
}
