// Writes a VCF file of random biallelic SNPs, compressed with BGZF as the field's tools write
// them, for runs of kelvane on SNP data at scale:
//   vcf_file_tool SAMPLES SITES FILE [MISSING_SHARE] [SEED]
// Diploid unphased genotypes; each site draws its allele frequency between 0.05 and 0.5 and each
// sample its two copies from it; a genotype is missing (./.) with the given share (default 0.01).
#include <htslib/bgzf.h>

#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

namespace {

bool write(BGZF* out, const std::string& text) {
    return bgzf_write(out, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 6) {
        std::cerr << "usage: vcf_file_tool SAMPLES SITES FILE [MISSING_SHARE] [SEED]\n";
        return 2;
    }
    const int samples = std::atoi(argv[1]);
    const int sites = std::atoi(argv[2]);
    const double missing_share = argc > 4 ? std::atof(argv[4]) : 0.01;
    std::mt19937_64 engine(argc > 5 ? std::strtoull(argv[5], nullptr, 10) : 1);
    // Level 1: the files are written once per run and read once.
    BGZF* out = bgzf_open(argv[3], "w1");
    if (out == nullptr) {
        std::cerr << "vcf_file_tool: cannot write " << argv[3] << "\n";
        return 1;
    }
    bgzf_mt(out, 2, 256);
    std::string text =
        "##fileformat=VCFv4.2\n##contig=<ID=1>\n"
        "##FORMAT=<ID=GT,Number=1,Type=String,Description=\"Genotype\">\n"
        "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT";
    for (int s = 1; s <= samples; ++s) {
        text += "\tS" + std::to_string(s);
    }
    text += '\n';
    bool ok = write(out, text);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (int site = 1; site <= sites && ok; ++site) {
        const double frequency = 0.05 + 0.45 * uniform(engine);
        text = "1\t" + std::to_string(site * 100) + "\t.\tA\tG\t.\tPASS\t.\tGT";
        for (int s = 0; s < samples; ++s) {
            if (uniform(engine) < missing_share) {
                text += "\t./.";
                continue;
            }
            text += '\t';
            text += uniform(engine) < frequency ? '1' : '0';
            text += '/';
            text += uniform(engine) < frequency ? '1' : '0';
        }
        text += '\n';
        ok = write(out, text);
    }
    if (bgzf_close(out) != 0 || !ok) {
        std::cerr << "vcf_file_tool: writing " << argv[3] << " failed\n";
        return 1;
    }
    return 0;
}
