// Writing data sets in other formats: a marker data file goes to GenAlEx and back unchanged, the
// FSTAT and marker data files hold what their formats can, and codes are renumbered only where
// they do not fit.
#include "kelvane/data/export/data_conversion.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "kelvane/data/formats/data_file_reader.hpp"
#include "support/read_errors.hpp"

namespace kelvane {
namespace {

using testing::copies_of;
using testing::error_of;

struct Written {
    std::string text;
    std::vector<std::string> notes;
};

Written write(const MarkerData& data, DataFormat format) {
    std::ostringstream out;
    Written written;
    written.notes = write_data(data, format, out);
    written.text = out.str();
    return written;
}

MarkerData read(DataFormat format, const std::string& text) {
    return read_data_text(format, text, {}).data;
}

TEST(DataConversion, AMarkerDataFileGoesToGenalexAndBackUnchanged) {
    // Two populations (the second listed first in the file), a triploid locus with missing
    // copies, and codes of up to three digits.
    const std::string marker =
        "Clonal plants, a test\n"
        "4 2 2 3 3\n"
        "Lake River\n"
        "1 L01 150152000 007007007\n"
        "1 L02 150152154 007000000\n"
        "2 R01 000000000 012007007\n"
        "2 R02 152152152 012012012\n";
    const Written genalex = write(read(DataFormat::kMarker, marker), DataFormat::kGenalex);
    EXPECT_EQ(genalex.text,
              "2,4,2,2,2\n"
              "\"Clonal plants, a test\",,,Lake,River\n"
              "Sample,Pop,Locus1,,,Locus2,,\n"
              "L01,Lake,150,152,0,7,7,7\n"
              "L02,Lake,150,152,154,7,0,0\n"
              "R01,River,0,0,0,12,7,7\n"
              "R02,River,152,152,152,12,12,12\n");
    EXPECT_TRUE(genalex.notes.empty());
    const Written back = write(read(DataFormat::kGenalex, genalex.text), DataFormat::kMarker);
    EXPECT_EQ(back.text, marker);
    EXPECT_TRUE(back.notes.empty());
}

TEST(DataConversion, FstatAndMarkerFilesKeepWhatTheirFormatsHold) {
    const MarkerData data = read(DataFormat::kGenepop,
                                 "Roses\nRh 1\nRh2\nPop\nsouth slope 1, 0102 0303\n"
                                 "a very long name, 0000 0103\nPop\nx, 0202 0101\n");
    const Written fstat = write(data, DataFormat::kFstat);
    EXPECT_EQ(fstat.text, "2 2 3 1\nRh_1\nRh2\n1 12 33\n1 00 13\n2 22 11\n");
    EXPECT_EQ(fstat.notes, (std::vector<std::string>{
                               "an FSTAT file keeps no names of individuals or populations",
                               "1 locus names changed to single words of at most 24 characters"}));
    const Written marker = write(data, DataFormat::kMarker);
    EXPECT_EQ(marker.text,
              "Roses\n3 2 2 2 1\na_very_long_name x\n1 south_slope 12 33\n1 a_very_long 00 13\n"
              "2 x 22 11\n");
    EXPECT_EQ(marker.notes,
              (std::vector<std::string>{
                  "2 names of individuals and 1 of populations changed to single words of at most "
                  "11 and 24 characters, as the marker data file holds them"}));
}

TEST(DataConversion, CodesAreRenumberedOnlyAtLociWhereTheyDoNotFit) {
    // Locus 1 has codes of four digits, more than FSTAT's three; locus 2 fits.
    const MarkerData data =
        read(DataFormat::kGenalex, "2,2,1\n\nI,P,A,,B,\na,P,1000,2200,5,7\nb,P,1000,1500,7,7\n");
    const Written fstat = write(data, DataFormat::kFstat);
    EXPECT_EQ(fstat.text, "1 2 7 1\nA\nB\n1 13 57\n1 12 77\n");
    EXPECT_EQ(fstat.notes[0],
              "locus A: alleles 1000 to 2200 renumbered 1 to 3 to fit 3 digits "
              "per allele");
    // A marker data file takes up to nine digits.
    EXPECT_EQ(write(data, DataFormat::kMarker).text,
              "GenAlEx data\n2 1 2 2 4\nP\n1 a 10002200 00050007\n1 b 10001500 00070007\n");
}

// Names cut to the length a format holds never come out alike: the later one takes a number.
TEST(DataConversion, NamesCutToFitStayDistinct) {
    const MarkerData data = read(DataFormat::kGenalex,
                                 "1,3,1,3\n,,,P\nI,P,A,\nsample_long_001,P,1,2\n"
                                 "sample_long_002,P,1,2\nsample_long,P,2,2\n");
    const Written marker = write(data, DataFormat::kMarker);
    EXPECT_EQ(marker.text,
              "GenAlEx data\n3 1 1 2 1\nP\n1 sample_long 12\n1 sample_lo_2 12\n1 sample_lo_3 22\n");
    // A cut never ends inside a UTF-8 character: the 11th byte here is the first of an é.
    const MarkerData accented =
        read(DataFormat::kGenalex, "1,1,1,1\n,,,P\nI,P,A,\naaaaaaaaaa\xC3\xA9,P,1,2\n");
    EXPECT_EQ(write(accented, DataFormat::kMarker).text,
              "GenAlEx data\n1 1 1 2 1\nP\n1 aaaaaaaaaa 12\n");
}

// Presence/absence bands read from GenAlEx's 1 and 0 (absence held as 8) go back as 1 and 0.
TEST(DataConversion, BandsGoBackToGenalexAsOneAndZero) {
    const MarkerData bands =
        read(DataFormat::kGenalex, "3,2,1,2\n,,,X\nI,P,b1,b2,b3\n1,X,0,1,-9\n2,X,1,NA,0\n");
    const std::string sheet = write(bands, DataFormat::kGenalex).text;
    EXPECT_NE(sheet.find("\n1,X,0,1,-9\n2,X,1,-9,0\n"), std::string::npos) << sheet;
}

}  // namespace
}  // namespace kelvane
