// The Clonal genotype file, the input of marsyl: a title line, the number of populations, their
// names, then pairs of population number and genotype number up to the end of the file. This
// module holds the clonal data set built from it, its reader and its writer.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace clonal {

struct ClonalData {
    std::string title;        // the whole first line, with its line end if it had one
    int32_t populations = 0;  // P
    // Indexed by population number 0 to P; entry 0 holds the individuals of population number 0,
    // which are kept but belong to no named population and to no analysis.
    std::vector<std::string> names;
    std::vector<std::vector<int32_t>> genotypes;  // in file order within each population

    int32_t size(int32_t population) const {
        return static_cast<int32_t>(genotypes[static_cast<std::size_t>(population)].size());
    }
};

// Reads a Clonal genotype file in three steps, so that a caller can report what the file holds
// as it goes: the header (title and number of populations), the census (the population names and
// sizes; every record is checked here, before anything is stored) and the genotype numbers. A
// malformed file or a failed allocation throws FatalError with its message; each step must
// follow the one before.
class ClonalFileReader {
  public:
    // whole_words: every number must be a word of its own ("1e308" is refused); without it a
    // number is the digits a word starts with, as the dialogue reads the file.
    explicit ClonalFileReader(const std::string& content, bool whole_words = false)
        : content_(content), whole_words_(whole_words) {}

    // The title and the number of populations.
    const ClonalData& read_header();

    // The population names, and the number of individuals of populations 0 to P.
    const std::vector<int32_t>& read_census();

    // The whole data set.
    ClonalData read_genotypes();

  private:
    const std::string& content_;
    bool whole_words_ = false;
    ClonalData data_;
    std::vector<int32_t> sizes_;
    std::vector<int32_t> filled_;
    std::size_t header_end_ = 0;
};

// All three steps at once.
ClonalData read_clonal_file(const std::string& content, bool whole_words = false);

// Writes a Clonal genotype file as it goes (a header may declare far more populations than hold
// individuals, each with its name line): the title as its own first line, at most 999
// characters with its line end (a longer title is cut, a title without a line end gets one), the
// number of populations, population_name(p) for p = 1 to populations, then one line per
// individual with its population number and genotype number, a tab between them. Stops once the
// stream has failed.
void write_clonal_file(std::ostream& out, const std::string& title, int32_t populations,
                       const std::function<std::string(int32_t)>& population_name,
                       std::span<const int32_t> population_of,
                       std::span<const int32_t> genotype_of);

// The largest genotype number of populations 1 to P, or current when that is larger: the
// largest genotype number only ever rises from one loaded file to the next.
int32_t raise_largest_genotype(const ClonalData& data, int32_t current);

}  // namespace clonal
