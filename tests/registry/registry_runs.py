#!/usr/bin/env python3
"""Whole runs of kelvane registry on marker data of known genets, whose ramets form chains (each a
step away from the one before at one copy), so that a batch can bridge genets stored apart.
  - Sequential adds of random splits give the grouping kelvane clones gives all the samples at the
    same threshold (stepwise; infinite allele with missing copies counted, where identical
    genotypes with missing copies may lie apart), and a stored sample's genet changes only by a
    merge into the oldest genet it linked to.
  - query gives the rows the add then gives, and leaves the file as it was.
  - Refused adds (other loci, threshold, model or ploidy; a name held or repeated; a model whose
    distances read the whole data set; an SQLite file of other tables) change nothing and make
    no file.
  - An add killed while it writes leaves the file whole and without its batch; four adds started
    at once all succeed and give the grouping of all their samples.
  - The export is read by marsyl, with as many genotypes per population as the registry's genets.
Usage: registry_runs.py KELVANE MARSYL"""
import csv
import hashlib
import os
import random
import sqlite3
import subprocess
import sys
import tempfile
import time

KELVANE, MARSYL = sys.argv[1], sys.argv[2]
LOCI = 8


def run(*arguments, fails=False):
    done = subprocess.run([str(a) for a in arguments], capture_output=True, text=True)
    if (done.returncode != 0) != fails:
        sys.exit("unexpected status %d: %s\n%s" % (done.returncode, " ".join(map(str, arguments)),
                                                  done.stderr))
    return done


def table(text):
    return list(csv.DictReader(text.splitlines(), delimiter="\t"))


def chained_samples(rng, genets, prefix, missing=0.04):
    """Rows (population, name, loci) of genets of 1 to 6 ramets along a chain, some ramets twice."""
    samples = []
    for g in range(genets):
        genotype = [[rng.randrange(100, 131), rng.randrange(100, 131)] for _ in range(LOCI)]
        for r in range(rng.randrange(1, 7)):
            if r > 0:
                locus = rng.randrange(LOCI)
                genotype[locus][rng.randrange(2)] += rng.choice((-1, 1))
            copies = [[0 if rng.random() < missing else c for c in pair] for pair in genotype]
            for twin in range(2 if rng.random() < 0.15 else 1):
                name = "%s%d_%d%s" % (prefix, g, r, "t" if twin else "")
                samples.append(("site%d" % rng.randrange(1, 4), name, copies))
    return samples


def write_marker_file(path, samples, loci=LOCI, ploidy=2):
    with open(path, "w") as out:
        out.write("Registry test data\n%d 3 %d %d 3\nsite1\nsite2\nsite3\n"
                  % (len(samples), loci, ploidy))
        for population, name, copies in samples:
            fields = ["%03d" * ploidy % tuple(pair + [0] * (ploidy - 2)) for pair in copies[:loci]]
            out.write("%s %s %s\n" % (population[4:], name, " ".join(fields)))


def digest(path):
    return hashlib.sha256(open(path, "rb").read()).hexdigest() if os.path.exists(path) else None


def partition(pairs):
    groups = {}
    for name, group in pairs:
        groups.setdefault(group, set()).add(name)
    return sorted(sorted(g) for g in groups.values())


def stored(registry):
    with sqlite3.connect(registry) as db:
        genet_of = dict(db.execute("SELECT individual, genet FROM samples"))
        merged_into = dict(db.execute("SELECT genet, merged_into FROM genets "
                                      "WHERE merged_into IS NOT NULL"))
    return genet_of, merged_into


def check_splits(folder, samples, model, batches, seed):
    rng = random.Random(seed)
    order = list(range(len(samples)))
    rng.shuffle(order)
    whole = os.path.join(folder, "whole.txt")
    write_marker_file(whole, samples)
    clones = table(run(KELVANE, "clones", whole, *model, "--quiet").stdout)
    registry = os.path.join(folder, "split%d.db" % seed)
    merges = 0
    before = {}
    for b in range(batches):
        part = os.path.join(folder, "part%d_%d.txt" % (seed, b))
        write_marker_file(part, [samples[i] for i in sorted(order[b::batches])])
        if b == batches - 1:
            hash_before = digest(registry)
            queried = run(KELVANE, "registry", "query", registry, part).stdout
            if digest(registry) != hash_before:
                sys.exit("query changed the registry")
        added = run(KELVANE, "registry", "add", registry, part, *model).stdout
        if b == batches - 1 and added != queried:
            sys.exit("query and add differ:\n%s\n%s" % (queried, added))
        genet_of, merged_into = stored(registry)
        merges += sum(1 for row in table(added) if row["status"] == "merged")
        for name, genet in before.items():
            now = genet_of[name]
            seen = genet
            while seen != now and seen in merged_into:
                seen = merged_into[seen]
            if seen != now or now > genet:
                sys.exit("%s moved from G%d to G%d, not by a merge into an older genet"
                         % (name, genet, now))
        before = genet_of
    rows = table(run(KELVANE, "registry", "samples", registry).stdout)
    if partition((r["individual"], r["genet"]) for r in rows) != \
            partition((r["individual"], r["genotype"]) for r in clones):
        sys.exit("the registry's genets are not the clones of all samples (%s, seed %d)"
                 % (" ".join(model), seed))
    return registry, merges


def check_refusals(folder, registry, samples):
    hash_before = digest(registry)
    fewer = os.path.join(folder, "fewer_loci.txt")
    write_marker_file(fewer, [("site1", "fresh1", s[2]) for s in samples[:3]], loci=LOCI - 1)
    held = os.path.join(folder, "held.txt")
    write_marker_file(held, samples[:2])
    twice = os.path.join(folder, "twice.txt")
    write_marker_file(twice, [("site1", "same", samples[0][2]), ("site2", "same", samples[1][2])])
    fresh = os.path.join(folder, "fresh.txt")
    write_marker_file(fresh, [("site1", "fresh%d" % i, s[2]) for i, s in enumerate(samples[:3])])
    tetraploid = os.path.join(folder, "tetraploid.txt")
    write_marker_file(tetraploid,
                      [("site1", "tetra%d" % i, s[2]) for i, s in enumerate(samples[:3])], ploidy=4)
    refusals = [
        ([fewer], "loci"),
        ([tetraploid], "ploidy"),
        ([fresh, "--threshold", "3"], "--threshold"),
        ([fresh, "--distance", "infinite-allele"], "--distance"),
        ([held], "holds samples"),
        ([twice], "twice"),
    ]
    for arguments, words in refusals:
        done = run(KELVANE, "registry", "add", registry, *arguments, fails=True)
        if words not in done.stderr or digest(registry) != hash_before:
            sys.exit("refused add %s: %s; file changed: %s"
                     % (arguments, done.stderr, digest(registry) != hash_before))
    other = os.path.join(folder, "other.db")
    with sqlite3.connect(other) as db:
        db.execute("CREATE TABLE notes (text)")
    hash_other = digest(other)
    run(KELVANE, "registry", "add", other, fresh, "--threshold", "1", fails=True)
    if digest(other) != hash_other:
        sys.exit("an add changed an SQLite file that is not a registry")
    new_file = os.path.join(folder, "never.db")
    for arguments in ([fresh, "--threshold", "1", "--missing", "average"], [fresh]):
        run(KELVANE, "registry", "add", new_file, *arguments, fails=True)
        if os.path.exists(new_file):
            sys.exit("a refused first add made the file")


def check_killed_add(folder):
    rng = random.Random(11)
    registry = os.path.join(folder, "killed.db")
    first = os.path.join(folder, "killed1.txt")
    write_marker_file(first, chained_samples(rng, 1000, "a"))
    run(KELVANE, "registry", "add", registry, first, "--threshold", "1")
    with sqlite3.connect(registry) as db:
        count = db.execute("SELECT count(*) FROM samples").fetchone()[0]
    # Many samples of few genotypes: little to compute, much to write.
    second = os.path.join(folder, "killed2.txt")
    write_marker_file(second, [(population, "%s_%d" % (name, r), copies)
                               for population, name, copies in chained_samples(rng, 1500, "b", 0)
                               for r in range(12)])
    for pause in (0, 0.01, 0.03):
        add = subprocess.Popen([KELVANE, "registry", "add", registry, second, "--out", os.devnull],
                               stderr=subprocess.DEVNULL)
        # The journal exists while the batch is being written: kill it then.
        while not os.path.exists(registry + "-journal") and add.poll() is None:
            time.sleep(0.0005)
        time.sleep(pause)
        add.kill()
        add.wait()
        db = sqlite3.connect(registry)
        integrity = db.execute("PRAGMA integrity_check").fetchone()[0]
        now = db.execute("SELECT count(*) FROM samples").fetchone()[0]
        batches = db.execute("SELECT count(*) FROM batches").fetchone()[0]
        db.close()
        if integrity != "ok" or (now, batches) != (count, 1):
            sys.exit("an add killed %g s into its writing left %s, %d samples in %d batches"
                     % (pause, integrity, now, batches))
        # What is left of the journal is not hot (the file opened as it was): SQLite ignores it.
        if os.path.exists(registry + "-journal"):
            os.remove(registry + "-journal")


def check_concurrent_adds(folder):
    rng = random.Random(5)
    samples = chained_samples(rng, 400, "c")
    registry = os.path.join(folder, "concurrent.db")
    parts = []
    for b in range(4):
        part = os.path.join(folder, "concurrent%d.txt" % b)
        write_marker_file(part, samples[b::4])
        parts.append(part)
    adds = [subprocess.Popen([KELVANE, "registry", "add", registry, part, "--threshold", "1",
                              "--out", os.devnull], stderr=subprocess.PIPE, text=True)
            for part in parts]
    for add in adds:
        if add.wait() != 0:
            sys.exit("a concurrent add failed: " + add.stderr.read())
    whole = os.path.join(folder, "concurrent_whole.txt")
    write_marker_file(whole, samples)
    clones = table(run(KELVANE, "clones", whole, "--threshold", "1", "--quiet").stdout)
    rows = table(run(KELVANE, "registry", "samples", registry).stdout)
    if partition((r["individual"], r["genet"]) for r in rows) != \
            partition((r["individual"], r["genotype"]) for r in clones):
        sys.exit("concurrent adds do not give the clones of all samples")


def check_export(folder, registry):
    exported = os.path.join(folder, "export.txt")
    run(KELVANE, "registry", "export", registry, exported)
    indices = table(run(MARSYL, "indices", exported).stdout)
    rows = table(run(KELVANE, "registry", "samples", registry).stdout)
    genets = {}
    for r in rows:
        genets.setdefault(r["population"], set()).add(r["genet"])
    for row in indices:
        if row["population"] in genets and int(row["gen"]) != len(genets[row["population"]]):
            sys.exit("marsyl counts %s genotypes in %s, the registry %d genets"
                     % (row["gen"], row["population"], len(genets[row["population"]])))


def main():
    with tempfile.TemporaryDirectory() as folder:
        samples = chained_samples(random.Random(1), 120, "s")
        merges = 0
        for seed, batches in ((1, 3), (2, 4)):
            registry, merged = check_splits(folder, samples, ["--threshold", "1"], batches, seed)
            merges += merged
        if merges == 0:
            sys.exit("no batch merged genets: the splits test nothing")
        check_splits(folder, samples, ["--threshold", "1", "--distance", "infinite-allele",
                                       "--missing", "1"], 3, 3)
        check_refusals(folder, registry, samples)
        check_export(folder, registry)
        check_concurrent_adds(folder)
        check_killed_add(folder)


main()
