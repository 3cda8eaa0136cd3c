// The exact search for the best matching when rounding makes the order of additions matter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "kelvane/distance/matching/hungarian_assignment.hpp"

namespace kelvane {

struct CostTable;

// Finds the smallest row-order sum in double precision over all matchings of the k rows with the
// k columns (k >= 1) without trying every matching. Keeps its scratch space between calls.
class MatchingSearch {
  public:
    double best_sum(const CostTable& costs, int k);

  private:
    // The states of one row of the search: the set of used columns as a bit set of `words`
    // words, the smallest partial sum reaching it and the sum of the potentials of its columns.
    struct Layer {
        std::size_t words = 1;
        std::vector<uint64_t> keys;
        std::vector<double> partial;
        std::vector<double> used_potential;

        std::size_t size() const { return partial.size(); }
        const uint64_t* key(std::size_t state) const { return keys.data() + state * words; }
        bool uses(std::size_t state, int column) const;
        void clear(std::size_t key_words);
        void add(const uint64_t* from, int column, double sum, double potential);
    };

    void analyse(const CostTable& costs, int k);
    void merge_children();

    HungarianAssignment<double> assignment_;
    std::vector<int> previous_same_;  // the previous identical column of each column, or -1
    std::vector<double> row_potential_from_;
    Layer layer_;
    Layer children_;
    std::vector<std::size_t> order_;
    int search_rows_ = 0;
    double column_potentials_ = 0.0;
    double below_potentials_ = 0.0;
    double margin_ = 0.0;
};

}  // namespace kelvane
