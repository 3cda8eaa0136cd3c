// Reading a data file in the format asked for: the marker data and FSTAT files of another system
// are read on the command line, and what a reader changes is noted.
#include "kelvane/data/formats/data_file_reader.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/read_errors.hpp"

namespace kelvane {
namespace {

using testing::copies_of;
using V = std::vector<int32_t>;

TEST(DataFileReader, AByteOrderMarkBeforeAMarkerDataOrFstatFileIsPassedOver) {
    const DataRead fstat =
        read_data_text(DataFormat::kFstat, "\xEF\xBB\xBF 1 1 2 1\r\nL\r\n1 12\r\n", {});
    EXPECT_EQ(copies_of(fstat.data, 0, 0), (V{1, 2}));
    const DataRead marker =
        read_data_text(DataFormat::kMarker, "\xEF\xBB\xBFTitle\n1 1 1 2 1\nA\n1 a 21\n", {});
    EXPECT_EQ(marker.data.title, "Title\n");
    EXPECT_EQ(marker.data.total_alleles, 2);
    EXPECT_TRUE(marker.notes.empty());
}

TEST(DataFileReader, NotesWhatAReaderChanges) {
    const DataRead structure = read_data_text(DataFormat::kStructure, "a 1 -1 0\na 1 2 0\n", {});
    EXPECT_EQ(structure.notes,
              std::vector<std::string>{"every STRUCTURE allele is read 2 higher, so that the "
                                       "smallest is 1 (0 is a missing copy in kelvane)"});
    EXPECT_EQ(copies_of(structure.data, 0, 0), (V{1, 4}));
}

}  // namespace
}  // namespace kelvane
