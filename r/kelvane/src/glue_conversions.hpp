// The conversions every glue file shares: marker data and settings handed over from R, tables
// handed back as data.frames, the generator's seeds, work that R can interrupt, and the library's
// errors turned into R errors.
#pragma once

#include <Rcpp.h>

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/core/random.hpp"
#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/marker_data.hpp"
#include "marsyl/analysis/diversity.hpp"

namespace glue {

// A count given as an R number: NA and values beyond 64 bits become -1, which every analysis
// refuses with its own sentence, instead of a conversion without a defined result.
int64_t count_of(double value);

// A setting's name as the R functions spell it: the library's, but the model is kv_dist's model
// and the resamples of the diversity intervals are n, as poppr's diversity_ci names them.
std::string r_name(std::string_view setting);

// data: list(file = path) or list(copies, ploidy, names, populations, loci), copies being
// individuals x (loci x ploidy), locus by locus, 0 or NA for a missing copy.
kelvane::MarkerData marker_data(const Rcpp::List& data);

// The pairs of samples named by the replicates argument's two columns, as positions in the data.
std::vector<std::pair<int, int>> replicate_positions(const kelvane::MarkerData& markers,
                                                     const std::vector<std::string>& first,
                                                     const std::vector<std::string>& second);

// The model in words: every entry of the list that is not NULL, as the command line's option.
kelvane::DistanceInput distance_input(const Rcpp::List& model);

// A threshold of an analysis that groups on whole distances only: checked as every grouping checks
// it, so that 0.5 is refused rather than truncated.
int32_t whole_threshold_of(double threshold);

// A table as a data.frame: a column of whole numbers, reals or text as its cells are, NA where a
// cell is missing or not a number (as the tables write both).
Rcpp::DataFrame data_frame(const clonal::ResultTable& table);

// The table with the analysis's notes as its attribute "notes" (none: left without it).
// The notes on the input's distances (kelvane::distance_notes), then the notes given: what the
// command line writes before its table.
std::vector<std::string> distance_notes_and(const kelvane::MarkerData& markers,
                                            const kelvane::DistanceInput& input,
                                            std::vector<std::string> notes = {});

Rcpp::DataFrame with_notes(Rcpp::DataFrame table, const std::vector<std::string>& notes);

// The clonal genotype of every individual with its population, populations numbered in the
// order they first come.
marsyl::analysis::ClonalInput clonal_input(const Rcpp::IntegerVector& genotypes,
                                           const Rcpp::CharacterVector& populations);

// The generator at the seeds given (two), or at its start seeds.
clonal::Random seeded(const Rcpp::IntegerVector& seed);

// The generator at the seeds given, or seeded from the clock as marsyl's commands seed it.
clonal::Random seeded_or_clock(const Rcpp::IntegerVector& seed);

clonal::WorkSettings interruptible(int threads);

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

}  // namespace glue
