// The save options that write genotype results: prompts, file layouts and write failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../scratch_folder.hpp"
#include "genotype_operations.hpp"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

const std::string kSeparator =
    "\n    --------------------------------------------------------------------\n\n";

class GenotypeFiles : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return scratch.path(name); }

    static std::string content(const std::string& name) {
        return testing_support::file_content(name);
    }

    testing_support::ScratchFolder scratch{"genotype-files"};
};

// Three individuals of two populations; only the first two are close (distance 3).
MarkerData three_individuals(const std::string& title) {
    MarkerData data;
    data.title = title;
    data.n_individuals = 3;
    data.n_populations = 2;
    data.pop_names = {"North", "South"};
    data.pop_vector = {1, 2, 2};
    data.ind_names = {"a1", "b1", "b2"};
    return data;
}

DistanceMatrix three_matrix() {
    DistanceMatrix matrix(3);
    matrix.set_pair(0, 1, 3);
    matrix.set_pair(0, 2, 9);
    matrix.set_pair(1, 2, 9);
    return matrix;
}

struct Saved {
    bool written;
    std::string console;
};

template <class Save>
Saved run(const std::string& answers, Save save) {
    std::istringstream in(answers);
    std::ostringstream out;
    clonal::Console console(in, out);
    const bool written = save(console);
    return {written, out.str()};
}

TEST_F(GenotypeFiles, ClonalGenotypeFileAtAThreshold) {
    const MarkerData data = three_individuals("Sample data\n");
    const DistanceMatrix matrix = three_matrix();
    const std::string file = path("marsyl.txt");
    const Saved saved = run("-1\nthree\n3\n" + file + "\n", [&](clonal::Console& console) {
        return save_clonal_genotype_file(console, matrix, data);
    });
    EXPECT_TRUE(saved.written);
    EXPECT_EQ(saved.console,
              "\nGive threshold: \nGive threshold: \nGive threshold: "
              "\nnumber of genotypes: 2\n\nGive name of Marsyl file: ");
    EXPECT_EQ(content(file), "Sample data\n2\nNorth\nSouth\n1\t1\n2\t1\n2\t2\n");
}

TEST_F(GenotypeFiles, ClonalGenotypeFileBelowTheThresholdAndWithAnEmptyPopulation) {
    MarkerData data = three_individuals("Data read from Fstat file\n");
    data.n_populations = 3;
    data.pop_names = {"pop1", "pop2", "pop3"};
    const DistanceMatrix matrix = three_matrix();
    const std::string file = path("fstat_marsyl.txt");
    const Saved saved = run("2\n" + file + "\n", [&](clonal::Console& console) {
        return save_clonal_genotype_file(console, matrix, data);
    });
    EXPECT_TRUE(saved.written);
    EXPECT_EQ(saved.console,
              "\nGive threshold: \nnumber of genotypes: 3\n\nGive name of Marsyl file: ");
    EXPECT_EQ(content(file), "Data read from Fstat file\n3\npop1\npop2\npop3\n1\t1\n2\t2\n2\t3\n");
}

TEST_F(GenotypeFiles, ATitleWithoutLineEndKeepsItsOwnLine) {
    const MarkerData data = three_individuals("No line end");
    const DistanceMatrix matrix = three_matrix();
    const std::string file = path("marsyl.txt");
    run("9\n" + file + "\n",
        [&](clonal::Console& console) { return save_clonal_genotype_file(console, matrix, data); });
    EXPECT_EQ(content(file), "No line end\n2\nNorth\nSouth\n1\t1\n2\t1\n2\t1\n");
}

TEST_F(GenotypeFiles, ATitleTooLongForTheClonalGenotypeFileIsCut) {
    const MarkerData data = three_individuals(std::string(1200, 'T') + "\r\n");
    const DistanceMatrix matrix = three_matrix();
    const std::string file = path("marsyl.txt");
    run("9\n" + file + "\n",
        [&](clonal::Console& console) { return save_clonal_genotype_file(console, matrix, data); });
    EXPECT_EQ(content(file), std::string(998, 'T') + "\n2\nNorth\nSouth\n1\t1\n2\t1\n2\t1\n");

    const MarkerData longest = three_individuals(std::string(997, 'T') + "\r\n");
    run("9\n" + file + "\n", [&](clonal::Console& console) {
        return save_clonal_genotype_file(console, matrix, longest);
    });
    EXPECT_EQ(content(file).substr(995, 8), "TT\r\n2\nNo");
}

TEST_F(GenotypeFiles, GenotypesFile) {
    const MarkerData data = three_individuals("t\n");
    const DistanceMatrix matrix = three_matrix();
    const std::string file = path("genotypes.txt");
    const Saved saved = run("0\n" + file + "\n", [&](clonal::Console& console) {
        return save_genotypes(console, matrix, data);
    });
    EXPECT_TRUE(saved.written);
    EXPECT_EQ(saved.console,
              "\nGive threshold: \nnumber of genotypes: 3\n\nGive name of genotypes file: ");
    EXPECT_EQ(content(file), "a1\t1\nb1\t2\nb2\t3\n");
}

TEST_F(GenotypeFiles, BigGenotypesFile) {
    const MarkerData data = three_individuals("t\n");
    const DistanceMatrix matrix = three_matrix();
    const std::string file = path("big.txt");
    const Saved saved = run(file + "\n", [&](clonal::Console& console) {
        return save_all_thresholds(console, matrix, data);
    });
    EXPECT_TRUE(saved.written);
    EXPECT_EQ(saved.console, "\n\nGive name of big genotypes file: ");
    EXPECT_EQ(content(file),
              "name\t0\t1\t2\t3\t4\t5\t6\t7\t8\t9\t\n"
              "a1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t\n"
              "b1\t2\t2\t2\t1\t1\t1\t1\t1\t1\t1\t\n"
              "b2\t3\t3\t3\t2\t2\t2\t2\t2\t2\t1\t\n");
}

TEST_F(GenotypeFiles, HistogramFileIsAskedBeforeTheSettings) {
    const DistanceMatrix matrix = three_matrix();
    const std::string file = path("hist.txt");
    const Saved saved = run(file + "\n3\n9\n", [&](clonal::Console& console) {
        return save_histogram(console, matrix);
    });
    EXPECT_TRUE(saved.written);
    EXPECT_EQ(saved.console, "\n\nGive name of histogram file: \n" + kSeparator +
                                 "\nGENOTYPE ASSIGNMENT:\nmaximum distance:\t9\n"
                                 "\nGive the number of frequency classes (>1):\n"
                                 "\nGive maximum distance for histogram:\n\n");
    EXPECT_EQ(content(file),
              "class  \tthresh\t#pairs| #pairs\n"
              "   0\t  0.00\t     0| \n"
              "   1\t  3.00\t     1| *\n"
              "   2\t  6.00\t     0| \n"
              "   3\t  9.00\t     2| **\n");
}

TEST_F(GenotypeFiles, AFileThatCannotBeOpenedIsAskedForAgain) {
    const MarkerData data = three_individuals("t\n");
    const DistanceMatrix matrix = three_matrix();
    const std::string file = path("genotypes.txt");
    const Saved saved =
        run("0\n" + path("no/such/folder.txt") + "\n\n" + file + "\n",
            [&](clonal::Console& console) { return save_genotypes(console, matrix, data); });
    EXPECT_TRUE(saved.written);
    EXPECT_EQ(saved.console,
              "\nGive threshold: \nnumber of genotypes: 3\n"
              "\nGive name of genotypes file: ERROR: Could not write file\n"
              "\nGive name of genotypes file: ERROR: Could not write file\n"
              "\nGive name of genotypes file: ");
    EXPECT_EQ(content(file), "a1\t1\nb1\t2\nb2\t3\n");
}

TEST_F(GenotypeFiles, AFileWrittenTwiceIsReplaced) {
    const MarkerData data = three_individuals("t\n");
    const DistanceMatrix matrix = three_matrix();
    const std::string file = path("genotypes.txt");
    const auto save = [&](clonal::Console& console) {
        return save_genotypes(console, matrix, data);
    };
    run("0\n" + file + "\n", save);
    run("3\n" + file + "\n", save);
    EXPECT_EQ(content(file), "a1\t1\nb1\t1\nb2\t2\n");
}

TEST_F(GenotypeFiles, AFailedWriteIsReportedAndNotConfirmed) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no full device to write to";
    }
    const MarkerData data = three_individuals("t\n");
    const DistanceMatrix matrix = three_matrix();
    const Saved saved = run("/dev/full\n", [&](clonal::Console& console) {
        return save_all_thresholds(console, matrix, data);
    });
    EXPECT_FALSE(saved.written);
    EXPECT_EQ(saved.console, "\n\nGive name of big genotypes file: ERROR: Could not write file\n");
}

}  // namespace
}  // namespace kelvane
