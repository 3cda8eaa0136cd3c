// Writes a clonal population of known genets as a VCF of biallelic SNPs, for the clone calls on
// genomic data: unrelated genets and families of full sibs, several ramets per genet with a few
// somatic mutations, calling error and uneven missing calls, and technical replicates.
//   genet_simulation_tool VCF TRUTH REPLICATES [key=value ...]
// keys (defaults): families=15 sibs=5 unrelated=75 ramets=3 snps=3000 error=0.01 missing=0.08
// poor_share=0.1 (samples missing 50 to 80% of their calls) somatic=0.0002 (per copy)
// replicates=0.05 (share of ramets typed twice) seed=1.
// TRUTH is a TSV of sample, genet and family (0: an unrelated genet); REPLICATES a TSV of the
// pairs typed twice. Sites are unlinked; a genotype error turns a heterozygote into one of the
// homozygotes and a homozygote into the heterozygote, as allele dropout and mis-calls do most.
#include <htslib/bgzf.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using Genotype = std::vector<int>;  // copies of the alternative allele per SNP: 0, 1 or 2

struct Sample {
    std::string name;
    int genet = 0;
    int family = 0;
    Genotype calls;  // -1: missing
};

double setting(const std::map<std::string, double>& settings, const std::string& key,
               double fallback) {
    const auto found = settings.find(key);
    return found == settings.end() ? fallback : found->second;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: genet_simulation_tool VCF TRUTH REPLICATES [key=value ...]\n";
        return 2;
    }
    std::map<std::string, double> settings;
    for (int a = 4; a < argc; ++a) {
        const std::string word = argv[a];
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos) {
            std::cerr << "genet_simulation_tool: " << word << " is no key=value\n";
            return 2;
        }
        settings[word.substr(0, equals)] = std::atof(word.c_str() + equals + 1);
    }
    const auto families = static_cast<int>(setting(settings, "families", 15));
    const auto sibs = static_cast<int>(setting(settings, "sibs", 5));
    const auto unrelated = static_cast<int>(setting(settings, "unrelated", 75));
    const auto ramets = static_cast<int>(setting(settings, "ramets", 3));
    const auto snps = static_cast<int>(setting(settings, "snps", 3000));
    const double error = setting(settings, "error", 0.01);
    const double missing = setting(settings, "missing", 0.08);
    const double poor_share = setting(settings, "poor_share", 0.1);
    const double somatic = setting(settings, "somatic", 0.0002);
    const double replicate_share = setting(settings, "replicates", 0.05);
    std::mt19937_64 engine(static_cast<uint64_t>(setting(settings, "seed", 1)));
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const auto chance = [&](double p) { return uniform(engine) < p; };

    std::vector<double> frequency(static_cast<std::size_t>(snps));
    for (double& f : frequency) {
        f = 0.05 + 0.45 * uniform(engine);
    }
    const auto founder = [&] {
        Genotype g(static_cast<std::size_t>(snps));
        for (int s = 0; s < snps; ++s) {
            g[s] = (chance(frequency[s]) ? 1 : 0) + (chance(frequency[s]) ? 1 : 0);
        }
        return g;
    };
    // A copy passed on by a parent of genotype g.
    const auto gamete = [&](int g) { return g == 1 ? (chance(0.5) ? 1 : 0) : g / 2; };

    struct Genet {
        Genotype genotype;
        int family = 0;
    };
    std::vector<Genet> genets;
    for (int f = 1; f <= families; ++f) {
        const Genotype mother = founder();
        const Genotype father = founder();
        for (int k = 0; k < sibs; ++k) {
            Genotype child(static_cast<std::size_t>(snps));
            for (int s = 0; s < snps; ++s) {
                child[s] = gamete(mother[s]) + gamete(father[s]);
            }
            genets.push_back({child, f});
        }
    }
    for (int u = 0; u < unrelated; ++u) {
        genets.push_back({founder(), 0});
    }

    // A typing of a true genotype: errors, then missing calls at the sample's rate.
    const auto typing = [&](const Genotype& truth) {
        const double rate = chance(poor_share) ? 0.5 + 0.3 * uniform(engine) : missing;
        Genotype calls = truth;
        for (int& call : calls) {
            if (chance(error)) {
                call = call == 1 ? (chance(0.5) ? 0 : 2) : 1;
            }
            if (chance(rate)) {
                call = -1;
            }
        }
        return calls;
    };
    std::vector<Sample> samples;
    std::vector<std::pair<std::string, std::string>> replicate_pairs;
    for (std::size_t g = 0; g < genets.size(); ++g) {
        for (int r = 1; r <= ramets; ++r) {
            Genotype ramet = genets[g].genotype;
            for (int& copies : ramet) {
                if (chance(2 * somatic)) {
                    copies = copies == 1 ? (chance(0.5) ? 0 : 2) : 1;
                }
            }
            std::string name = "G";
            name.append(std::to_string(g + 1)).append("_R").append(std::to_string(r));
            samples.push_back({name, static_cast<int>(g + 1), genets[g].family, typing(ramet)});
            if (chance(replicate_share)) {
                std::string twin = name;
                twin.append("_bis");
                samples.push_back({twin, static_cast<int>(g + 1), genets[g].family, typing(ramet)});
                replicate_pairs.emplace_back(name, twin);
            }
        }
    }

    BGZF* out = bgzf_open(argv[1], "w1");
    if (out == nullptr) {
        std::cerr << "genet_simulation_tool: cannot write " << argv[1] << "\n";
        return 1;
    }
    std::string text =
        "##fileformat=VCFv4.2\n##contig=<ID=1>\n"
        "##FORMAT=<ID=GT,Number=1,Type=String,Description=\"Genotype\">\n"
        "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT";
    for (const Sample& sample : samples) {
        text.append("\t").append(sample.name);
    }
    text += '\n';
    for (int s = 0; s < snps; ++s) {
        text.append("1\t")
            .append(std::to_string((s + 1) * 1000))
            .append("\t.\tA\tG\t.\tPASS\t.\tGT");
        for (const Sample& sample : samples) {
            const int call = sample.calls[s];
            text += call < 0 ? "\t./." : call == 0 ? "\t0/0" : call == 1 ? "\t0/1" : "\t1/1";
        }
        text += '\n';
    }
    const bool written =
        bgzf_write(out, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (bgzf_close(out) != 0 || !written) {
        std::cerr << "genet_simulation_tool: cannot write " << argv[1] << "\n";
        return 1;
    }
    std::ofstream truth(argv[2]);
    truth << "sample\tgenet\tfamily\n";
    for (const Sample& sample : samples) {
        truth << sample.name << '\t' << sample.genet << '\t' << sample.family << '\n';
    }
    std::ofstream replicates(argv[3]);
    for (const auto& [a, b] : replicate_pairs) {
        replicates << a << '\t' << b << '\n';
    }
    return truth && replicates ? 0 : 1;
}
