// The VCF reader on files written by the test: genotypes of any ploidy, phased or not,
// multi-allelic sites, locus names, the call-rate filter, the same data from plain, compressed
// and binary files, and errors that name the site and the sample.
#include "kelvane/data/formats/vcf_reader.hpp"

#include <gtest/gtest.h>
#include <htslib/bgzf.h>
#include <htslib/hts.h>
#include <htslib/vcf.h>

#include <random>
#include <string>
#include <vector>

#include "support/read_errors.hpp"
#include "support/scratch_folder.hpp"

namespace kelvane {
namespace {

using testing::copies_of;
using testing::error_of;
using V = std::vector<int32_t>;

const std::string kHeader =
    "##fileformat=VCFv4.2\n"
    "##contig=<ID=chr1>\n"
    "##FORMAT=<ID=GT,Number=1,Type=String,Description=\"Genotype\">\n"
    "##FORMAT=<ID=DP,Number=1,Type=Integer,Description=\"Depth\">\n"
    "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\tplant_A\tplant_B\tplant_C\n";

// Sites: biallelic phased, tri-allelic unphased with a half call, a haploid call among diploids,
// and one called in a single sample.
const std::string kSites =
    "chr1\t100\trs1\tA\tG\t.\tPASS\t.\tGT:DP\t0|1:5\t1|1:7\t0|0:3\n"
    "chr1\t200\t.\tC\tT,G\t.\tPASS\t.\tGT\t2/1\t./1\t0/0\n"
    "chr1\t300\t.\tT\tA\t.\tPASS\t.\tGT\t1\t0/1\t./.\n"
    "chr1\t400\tsnp4\tG\tC\t.\tPASS\t.\tGT\t.\t.\t1/1\n";

// Copies the VCF text into a compressed file and a BCF file through htslib.
void write_compressed(const std::string& vcf, const std::string& gz) {
    const std::string text = testing_support::file_content(vcf);
    BGZF* out = bgzf_open(gz.c_str(), "w");
    ASSERT_NE(out, nullptr);
    ASSERT_EQ(bgzf_write(out, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ASSERT_EQ(bgzf_close(out), 0);
}

void write_bcf(const std::string& vcf, const std::string& bcf) {
    htsFile* in = hts_open(vcf.c_str(), "r");
    htsFile* out = hts_open(bcf.c_str(), "wb");
    ASSERT_NE(in, nullptr);
    ASSERT_NE(out, nullptr);
    bcf_hdr_t* header = bcf_hdr_read(in);
    ASSERT_EQ(bcf_hdr_write(out, header), 0);
    bcf1_t* record = bcf_init();
    while (bcf_read(in, header, record) == 0) {
        ASSERT_EQ(bcf_write(out, header, record), 0);
    }
    bcf_destroy(record);
    bcf_hdr_destroy(header);
    hts_close(out);
    hts_close(in);
}

TEST(VcfReader, ReadsGenotypesOfAnyPloidyFromPlainCompressedAndBinaryFiles) {
    testing_support::ScratchFolder folder("vcf");
    const std::string vcf = folder.path("sites.vcf");
    testing_support::write_file(vcf, kHeader + kSites);
    write_compressed(vcf, folder.path("sites.vcf.gz"));
    write_bcf(vcf, folder.path("sites.bcf"));
    for (const std::string name : {"sites.vcf", "sites.vcf.gz", "sites.bcf"}) {
        const VcfData read = read_vcf(folder.path(name), {});
        const MarkerData& data = read.data;
        SCOPED_TRACE(name);
        EXPECT_EQ(read.sites_left_out, 0);
        EXPECT_EQ(data.ind_names, (std::vector<std::string>{"plant_A", "plant_B", "plant_C"}));
        EXPECT_EQ(data.locus_names,
                  (std::vector<std::string>{"rs1", "chr1:200", "chr1:300", "snp4"}));
        EXPECT_EQ(data.pop_vector, (V{1, 1, 1}));
        EXPECT_EQ(data.max_ploidy, 2);
        EXPECT_EQ(data.digits, 1);
        // Allele index + 1, missing 0, in the order written.
        EXPECT_EQ(copies_of(data, 0, 0), (V{1, 2}));
        EXPECT_EQ(copies_of(data, 1, 0), (V{2, 2}));
        EXPECT_EQ(copies_of(data, 0, 1), (V{3, 2}));
        EXPECT_EQ(copies_of(data, 1, 1), (V{0, 2}));
        EXPECT_EQ(copies_of(data, 0, 2), (V{2, 0}));  // haploid
        EXPECT_EQ(copies_of(data, 2, 2), (V{0, 0}));
        EXPECT_EQ(copies_of(data, 0, 3), (V{0, 0}));  // "." alone
        EXPECT_EQ(copies_of(data, 2, 3), (V{2, 2}));
    }
}

TEST(VcfReader, LeavesOutSitesCalledInTooFewSamples) {
    testing_support::ScratchFolder folder("vcf");
    const std::string vcf = folder.path("sites.vcf");
    testing_support::write_file(vcf, kHeader + kSites);
    // Samples called with every copy present: 3; 2 (./1 is half a call); 2 (the haploid call
    // is whole); 1.
    FormatSettings settings;
    settings.min_call_rate = 0.6;
    const VcfData most = read_vcf(vcf, settings);
    EXPECT_EQ(most.sites_left_out, 1);
    EXPECT_EQ(most.data.locus_names, (std::vector<std::string>{"rs1", "chr1:200", "chr1:300"}));
    settings.min_call_rate = 1.0;
    EXPECT_EQ(read_vcf(vcf, settings).data.locus_names, std::vector<std::string>{"rs1"});
}

TEST(VcfReader, ErrorsNameTheSiteAndTheSample) {
    testing_support::ScratchFolder folder("vcf");
    const std::string vcf = folder.path("bad.vcf");
    testing_support::write_file(vcf,
                                kHeader + "chr1\t100\t.\tA\tG\t.\tPASS\t.\tGT\t0/1\t0/2\t0/0\n");
    EXPECT_EQ(error_of([&] { read_vcf(vcf, {}); }).message,
              "the genotype of sample plant_B at site 1 (chr1:100) names allele 2, the site has 2");
    testing_support::write_file(vcf, kHeader + "chr1\t100\t.\tA\tG\t.\tPASS\t.\tDP\t1\t2\t3\n");
    EXPECT_EQ(error_of([&] { read_vcf(vcf, {}); }).message,
              "site 1 (chr1:100) has no genotypes (GT)");
    testing_support::write_file(vcf, "#CHROM\tPOS\n");
    EXPECT_EQ(error_of([&] { read_vcf(vcf, {}); }).message, "not a VCF or BCF file");
    testing_support::write_file(vcf, kHeader);
    EXPECT_EQ(error_of([&] { read_vcf(vcf, {}); }).message, "the VCF file has no sites");
    // A genotype column beyond the samples of the header.
    testing_support::write_file(vcf, kHeader + kSites.substr(0, kSites.find('\n')) + "\t0/1\n");
    EXPECT_EQ(error_of([&] { read_vcf(vcf, {}); }).message,
              "the VCF line of site 1 (chr1:100) holds 13 columns; the header names 3 samples, so "
              "12");
}

// A file saved on Windows: a byte-order mark and CR LF line ends read as the plain text, and so
// does one whose last line ends in a CR alone.
TEST(VcfReader, ReadsAByteOrderMarkAndCrLfLineEnds) {
    testing_support::ScratchFolder folder("vcf-windows");
    std::string windows = "\xEF\xBB\xBF";
    for (const char c : kHeader + kSites) {
        windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    testing_support::write_file(folder.path("plain.vcf"), kHeader + kSites);
    testing_support::write_file(folder.path("windows.vcf"), windows);
    testing_support::write_file(folder.path("last-cr.vcf"), windows.substr(0, windows.size() - 1));
    const VcfData plain = read_vcf(folder.path("plain.vcf"), {});
    const VcfData last_cr = read_vcf(folder.path("last-cr.vcf"), {});
    EXPECT_EQ(last_cr.data.n_loci, plain.data.n_loci);
    const VcfData read = read_vcf(folder.path("windows.vcf"), {});
    EXPECT_EQ(read.data.locus_names, plain.data.locus_names);
    EXPECT_EQ(read.data.ind_names, plain.data.ind_names);
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(copies_of(read.data, i, k), copies_of(plain.data, i, k));
        }
    }
}

// Lines whose genotypes the reader reads itself (a plain GT first in FORMAT) and lines it leaves
// to htslib (another tag first) give what htslib
// gives for the same sites read from a BCF file: random sites of any ploidy, phased or not, with
// missing alleles, many alleles and a call-rate filter.
TEST(VcfReader, GenotypesReadDirectlyAreThoseHtslibReads) {
    testing_support::ScratchFolder folder("vcf-plain");
    std::mt19937 random(11);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::string sites;
    for (int site = 1; site <= 300; ++site) {
        const int alleles = 2 + (pick(4) == 0 ? 10 : pick(2));
        std::string alt = "C";
        for (int a = 2; a < alleles; ++a) {
            alt.append(",C").append(static_cast<std::size_t>(a), 'A');
        }
        const char* formats[] = {"GT", "GT:DP", "DP:GT"};
        const std::string format = formats[pick(3)];
        sites.append("chr1\t")
            .append(std::to_string(site * 10))
            .append("\t.\tA\t")
            .append(alt)
            .append("\t.\tPASS\t.\t")
            .append(format);
        const int ploidy = 1 + pick(3);
        for (int sample = 0; sample < 3; ++sample) {
            std::string gt;
            const int copies = pick(5) == 0 ? 1 + pick(4) : ploidy;
            for (int c = 0; c < copies; ++c) {
                if (c > 0) {
                    gt += pick(2) == 0 ? "/" : "|";
                }
                gt += pick(6) == 0 ? std::string(".") : std::to_string(pick(alleles));
            }
            sites += '\t';
            if (format == "DP:GT") {
                sites.append("4:").append(gt);
            } else {
                sites.append(gt).append(format == "GT" ? "" : ":4");
            }
        }
        sites += "\n";
    }
    const std::string vcf = folder.path("sites.vcf");
    testing_support::write_file(vcf, kHeader + sites);
    write_bcf(vcf, folder.path("sites.bcf"));
    FormatSettings settings;
    settings.min_call_rate = 0.5;
    const VcfData text = read_vcf(vcf, settings);
    const VcfData binary = read_vcf(folder.path("sites.bcf"), settings);
    ASSERT_EQ(text.sites_left_out, binary.sites_left_out);
    ASSERT_EQ(text.data.locus_names, binary.data.locus_names);
    EXPECT_EQ(text.data.max_ploidy, binary.data.max_ploidy);
    EXPECT_GT(text.sites_left_out, 0);
    for (int k = 0; k < text.data.n_loci; ++k) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(copies_of(text.data, i, k), copies_of(binary.data, i, k)) << k << " " << i;
        }
    }
}

}  // namespace
}  // namespace kelvane
