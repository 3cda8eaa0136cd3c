// What the reader tests look at: the error a reader throws (message, line, column) and the
// copies of one locus genotype.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane::testing {

struct ReadError {
    std::string message;
    int64_t line = 0;  // 0 when the error names no line
    int64_t column = 0;
};

inline ReadError error_of(const std::function<void()>& read) {
    try {
        read();
    } catch (const clonal::FatalError& error) {
        return {error.what(), error.line(), error.column()};
    }
    return {"no error", 0, 0};
}

inline std::vector<int32_t> copies_of(const MarkerData& data, int i, int k) {
    const auto copies = data.locus_genotype(i, k);
    return {copies.begin(), copies.end()};
}

// The population name of every individual.
inline std::vector<std::string> populations_of(const MarkerData& data) {
    std::vector<std::string> names;
    for (const int32_t p : data.pop_vector) {
        names.push_back(data.population_name(p));
    }
    return names;
}

}  // namespace kelvane::testing
