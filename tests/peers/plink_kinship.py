#!/usr/bin/env python3
"""kelvane relatedness against plink 2's --make-king-table, and the mismatch distance against
plink 1.9's --distance 1-ibs, on a VCF of random diploid SNPs with missing calls, duplicates and
full sibs. Skipped (status 77) where a plink is not installed.
Usage: plink_kinship.py KELVANE"""
import os
import random
import shutil
import subprocess
import sys
import tempfile


def write_vcf(path):
    rng = random.Random(7)
    snps, founders = 600, 12
    freq = [rng.uniform(0.05, 0.5) for _ in range(snps)]
    genotypes = [[(rng.random() < f) + (rng.random() < f) for f in freq] for _ in range(founders)]
    # Two sibs of founders 0 and 1, and a duplicate of founder 2.
    def gamete(g):
        return g // 2 if g != 1 else rng.random() < 0.5
    for _ in range(2):
        genotypes.append([gamete(a) + gamete(b) for a, b in zip(genotypes[0], genotypes[1])])
    genotypes.append(list(genotypes[2]))
    names = ["S%d" % (i + 1) for i in range(len(genotypes))]
    with open(path, "w") as out:
        out.write("##fileformat=VCFv4.2\n##contig=<ID=1>\n")
        out.write('##FORMAT=<ID=GT,Number=1,Type=String,Description="Genotype">\n')
        out.write("#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\t" + "\t".join(names) + "\n")
        for s in range(snps):
            calls = []
            for g in genotypes:
                calls.append("./." if rng.random() < 0.1 else ("0/0", "0/1", "1/1")[g[s]])
            out.write("1\t%d\tsnp%d\tA\tG\t.\tPASS\t.\tGT\t%s\n" % ((s + 1) * 100, s + 1, "\t".join(calls)))
    return names


def table(text):
    lines = [line.split("\t") for line in text.strip().split("\n") if not line.startswith("# ")]
    return lines[0], lines[1:]


def main():
    kelvane = sys.argv[1]
    plink2 = shutil.which("plink2")
    if plink2 is None:
        print("plink2 is not installed: the kinship is not compared")
        return 77
    work = tempfile.mkdtemp()
    try:
        vcf = os.path.join(work, "snps.vcf")
        names = write_vcf(vcf)
        subprocess.run([plink2, "--vcf", vcf, "--make-king-table", "--out", os.path.join(work, "king"),
                        "--threads", "1"], check=True, capture_output=True)
        header, rows = table(open(os.path.join(work, "king.kin0")).read())
        header[0] = header[0].lstrip("#")
        reference = {(r[header.index("IID1")], r[header.index("IID2")]): r for r in rows}
        ours = subprocess.run([kelvane, "relatedness", vcf], check=True, capture_output=True,
                              text=True).stdout
        columns, pairs = table(ours)
        failures = 0
        if len(pairs) != len(reference):
            print("pairs: %d, plink 2 %d" % (len(pairs), len(reference)))
            failures += 1
        for row in pairs:
            key = (row[0], row[1])
            if key not in reference:
                print("pair", key, "is not plink 2's (in that order)")
                failures += 1
                continue
            ref = reference[key]
            if int(row[2]) != int(ref[header.index("NSNP")]):
                print(key, "NSNP", row[2], ref[header.index("NSNP")])
                failures += 1
            for ours_column, theirs in ((3, "HETHET"), (4, "IBS0"), (5, "KINSHIP")):
                if abs(float(row[ours_column]) - float(ref[header.index(theirs)])) > 1e-6:
                    print(key, theirs, row[ours_column], ref[header.index(theirs)])
                    failures += 1
        kin = {tuple(r[:2]): float(r[5]) for r in pairs}
        if not kin[("S15", "S3")] > 0.45 or not 0.15 < kin[("S14", "S13")] < 0.35:
            print("the duplicate or the sibs are not where kinship puts them")
            failures += 1
        plink19 = shutil.which("plink1.9")
        if plink19 is None:
            print("plink1.9 is not installed: 1 - IBS is not compared")
        else:
            subprocess.run([plink19, "--vcf", vcf, "--distance", "1-ibs", "flat-missing", "square",
                            "--allow-extra-chr", "--out", os.path.join(work, "ibs")],
                           check=True, capture_output=True)
            square = [list(map(float, line.split())) for line in
                      open(os.path.join(work, "ibs.mdist")).read().strip().split("\n")]
            lower = subprocess.run([kelvane, "distances", vcf, "--distance", "mismatch",
                                    "--unrounded", "--layout", "lower", "--min-shared-loci", "1"],
                                   check=True, capture_output=True, text=True).stdout
            _, distance_rows = table(lower)
            index = {name: i for i, name in enumerate(names)}
            for row in distance_rows:
                theirs = square[index[row[0]]][index[row[1]]]
                if abs(float(row[2]) - theirs) > 1e-6:  # plink 1.9 prints 6 digits
                    print(row[:2], "1 - IBS", row[2], theirs)
                    failures += 1
        return 1 if failures else 0
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    sys.exit(main())
