#!/usr/bin/env python3
"""Clone calls on simulated SNP data of known genets: 150 genets (15 families of 5 full sibs and
75 unrelated), 3 ramets each, uneven missing calls (a tenth of the samples miss 50 to 80%) and
technical replicates. kelvane clones --distance mismatch --threshold auto must find the genets
(adjusted Rand index at least 0.999 at 1% calling error over 3,000 SNPs, at least 0.99 at 4%
over 800), never put two genets (full sibs included) in one clone, and kelvane error-rate must
find the calling error within a quarter.
Usage: clone_calls.py KELVANE SIMULATOR"""
import csv
import os
import subprocess
import sys
import tempfile
from collections import Counter
from math import comb


def adjusted_rand_index(first, second):
    """Hubert and Arabie's index between two labellings of the same items."""
    n = len(first)
    together = sum(comb(k, 2) for k in Counter(zip(first, second)).values())
    a = sum(comb(k, 2) for k in Counter(first).values())
    b = sum(comb(k, 2) for k in Counter(second).values())
    expected = a * b / comb(n, 2)
    return (together - expected) / ((a + b) / 2 - expected)


def rows(text):
    lines = [line for line in text.splitlines() if not line.startswith("#")]
    return list(csv.DictReader(lines, delimiter="\t"))


def run(command):
    done = subprocess.run(command, capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit("failed: %s\n%s" % (" ".join(command), done.stderr))
    return done.stdout


def check(kelvane, simulator, folder, error, snps, least_ari):
    vcf, truth_file, replicates = (os.path.join(folder, "sim%g.%s" % (error, end))
                                   for end in ("vcf.gz", "truth.tsv", "replicates.tsv"))
    run([simulator, vcf, truth_file, replicates, "error=%g" % error, "snps=%d" % snps, "seed=3"])
    with open(truth_file) as handle:
        genet = {row["sample"]: row["genet"] for row in csv.DictReader(handle, delimiter="\t")}
    failures = []
    for extra in ([], ["--replicates", replicates]):
        command = [kelvane, "clones", vcf, "--distance", "mismatch", "--unrounded",
                   "--threshold", "auto", "--min-shared-loci", "100", "--quiet"] + extra
        output = run(command)
        if not output.startswith("# threshold auto "):
            failures.append("no line saying the threshold chosen: " + output[:80])
        called = {row["individual"]: row["genotype"] for row in rows(output)}
        names = sorted(called)
        ari = adjusted_rand_index([genet[n] for n in names], [called[n] for n in names])
        mixed = [g for g, members in _groups(called).items()
                 if len({genet[n] for n in members}) > 1]
        label = "error %g, %d SNPs%s" % (error, snps, " with replicates" if extra else "")
        print("%s: ARI %.4f, %s" % (label, ari, output.splitlines()[0]))
        if ari < least_ari:
            failures.append("%s: adjusted Rand index %.4f below %g" % (label, ari, least_ari))
        if mixed:
            failures.append("%s: %d clones hold more than one genet" % (label, len(mixed)))
    pooled = [row for row in rows(run([kelvane, "error-rate", vcf, "--replicates", replicates]))
              if row["individual_a"] == "all"][0]
    rate = float(pooled["error_rate"])
    print("error %g: error-rate gives %.4f" % (error, rate))
    if abs(rate - error) > error / 4:
        failures.append("error %g: error-rate gives %.4f, not within a quarter" % (error, rate))
    return failures


def _groups(called):
    groups = {}
    for name, genotype in called.items():
        groups.setdefault(genotype, []).append(name)
    return groups


def main():
    kelvane, simulator = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        failures = check(kelvane, simulator, folder, 0.01, 3000, 0.999)
        failures += check(kelvane, simulator, folder, 0.04, 800, 0.99)
    for failure in failures:
        print("FAILED: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
