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

// Declared missing codes: a field equal to one is missing in GenAlEx and STRUCTURE (before
// STRUCTURE's shift of alleles below 1), an allele of a numeric one in any text format.
TEST(DataFileReader, DeclaredMissingCodesAreMissingCopies) {
    FormatSettings settings;
    settings.missing_codes = {"?", "-1", "999"};
    const DataRead sheet = read_data_text(
        DataFormat::kGenalex, "1,3,1,3\n,,,P\nI,P,A,\na,P,1,2\nb,P,?,-1\nc,P,999,2\n", settings);
    EXPECT_EQ(copies_of(sheet.data, 1, 0), (V{0, 0}));
    EXPECT_EQ(copies_of(sheet.data, 2, 0), (V{0, 2}));
    const DataRead structure =
        read_data_text(DataFormat::kStructure, "a 1 -1 4\na 1 2 ?\n", settings);
    EXPECT_TRUE(structure.notes.empty());  // no shift: -1 is missing, not an allele
    EXPECT_EQ(copies_of(structure.data, 0, 0), (V{0, 2}));
    EXPECT_EQ(copies_of(structure.data, 0, 1), (V{4, 0}));
    const DataRead marker =
        read_data_text(DataFormat::kMarker, "T\n1 1 1 2 3\nP\n1 a 150999\n", settings);
    EXPECT_EQ(copies_of(marker.data, 0, 0), (V{150, 0}));
}

}  // namespace
}  // namespace kelvane
