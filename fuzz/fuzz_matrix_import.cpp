// Fuzz target: the distance matrix import in both layouts. The first byte chooses the layout
// and the number of individuals (1 to 64); the rest is the content of the matrix file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "kelvane/matrix/matrix_import.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto layout =
        (data[0] & 1) == 0 ? kelvane::MatrixLayout::kSquare : kelvane::MatrixLayout::kLowerTriangle;
    const int n = 1 + ((data[0] >> 1) & 63);
    kelvane::DistanceMatrix matrix(n);
    kelvane::read_distance_matrix(std::string(reinterpret_cast<const char*>(data + 1), size - 1),
                                  layout, matrix);
    return 0;
}
