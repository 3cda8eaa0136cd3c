#!/usr/bin/env python3
"""Figures and reports as a reader meets them.

  browser_check.py well-formed --kelvane K --marsyl M --data FOLDER
      writes every figure and both reports for the test data, parses each as XML, checks that
      the population named <script> is escaped, and writes them again (with one worker thread)
      to check that the same run gives the same bytes; runs the command under every table of
      the reports and compares what it writes with the table.
  browser_check.py render --kelvane K --marsyl M --data FOLDER
      opens each of them in headless Chromium and checks, through the rendered page, that the
      expected elements are there, that no text of a figure runs into another or out of it, that
      nothing is scripted or fetched, that the console stays free of errors and that a
      screenshot is not blank. Skips (status 77) where Chromium is not installed.
  browser_check.py open FILE [--max-seconds S]
      the time Chromium takes to open one page, for the benchmarks.

Only the standard library: Chromium is driven over its DevTools pipe.
"""

import argparse
import base64
import html
import json
import os
import shlex
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree
import xml.parsers.expat
import zlib

SKIP = 77
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--window-size=1280,1000", "--remote-debugging-pipe",
]


# ---------------------------------------------------------------- the documents of the test data

class Document:
    def __init__(self, name, counts, texts=()):
        self.name = name          # file name in the work folder
        self.counts = counts      # CSS selector -> number of elements expected
        self.texts = list(texts)  # texts some element must hold exactly


def write_documents(kelvane, marsyl, data, work, threads=None):
    """Runs the programs on the test data in work; returns the documents they wrote."""
    shutil.copy(os.path.join(data, "plants.txt"), work)
    shutil.copy(os.path.join(data, "places.tsv"), work)
    kelvane, marsyl = os.path.abspath(kelvane), os.path.abspath(marsyl)
    extra = ["--threads", str(threads)] if threads else []

    def run(program, *args):
        subprocess.run([program, *args, *extra], cwd=work, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    run(kelvane, "histogram", "plants.txt", "--classes", "7", "--threshold", "2", "--suggest",
        "--out", "histogram.tsv", "--svg", "histogram.svg")
    run(kelvane, "suggest", "plants.txt", "--out", "suggest.tsv")
    run(kelvane, "thresholds", "plants.txt", "--out", "thresholds.tsv", "--svg", "thresholds.svg")
    run(kelvane, "amova", "plants.txt", "--permutations", "99", "--out", "amova.tsv",
        "--svg", "amova.svg")
    run(kelvane, "clones", "plants.txt", "--threshold", "2", "--clonal", "clones.txt",
        "--out", "clones.tsv")
    run(kelvane, "accumulation", "plants.txt", "--out", "accumulation.tsv",
        "--svg", "accumulation.svg")
    run(kelvane, "network", "plants.txt", "--threshold", "2", "--out", "network.graphml",
        "--svg", "network.svg")
    run(kelvane, "spatial", "subrange", "plants.txt", "--coordinates", "places.tsv",
        "--threshold", "2", "--out", "subrange.tsv", "--svg", "map.svg")
    run(kelvane, "spatial", "autocorrelation", "plants.txt", "--coordinates", "places.tsv",
        "--permutations", "99", "--out", "correlogram.tsv", "--svg", "correlogram.svg")
    run(kelvane, "report", "plants.txt", "--threshold", "2", "--classes", "7",
        "--permutations", "99", "--coordinates", "places.tsv", "--no-date",
        "--html", "kelvane.html")
    run(marsyl, "indices", "clones.txt", "--out", "indices.tsv", "--svg", "indices.svg")
    run(marsyl, "pareto", "clones.txt", "--out", "pareto.tsv", "--svg", "pareto.svg")
    run(marsyl, "jackknife", "clones.txt", "--seed", "1,2", "--permutations", "20",
        "--out", "jackknife.tsv", "--svg", "jackknife.svg")
    run(marsyl, "report", "clones.txt", "--seed", "1,2", "--permutations", "20", "--no-date",
        "--html", "marsyl.html")

    populations = 3
    indices = 6
    suggestions = sum(row["threshold"] != "NA" for row in read_tsv(work, "suggest.tsv"))
    clones = read_tsv(work, "clones.tsv")
    genotypes = len({row["genotype"] for row in clones})
    # Genets of several ramets at threshold 2: a segment each on the map.
    spread = sum(1 for g in {row["genotype"] for row in clones}
                 if sum(row["genotype"] == g for row in clones) > 1)
    with open(os.path.join(work, "network.graphml")) as f:
        links = f.read().count("<edge ")
    pareto = read_tsv(work, "pareto.tsv")
    points = sum(int(row["points"]) for row in pareto)
    fits = sum(row["beta"] != "NA" for row in pareto)
    loci = len(read_tsv(work, "accumulation.tsv"))
    return [
        # A bar per class: classes 0 to 7; the threshold and a dashed line per suggestion; the
        # legend of two bars and the lines.
        Document("histogram.svg", {"rect.bar": 8, "line.reference": 1 + suggestions,
                                   "line.reference[stroke-dasharray]": suggestions,
                                   ".legend-entry": 3 + suggestions},
                 ["Distance (steps)", "Pairs (count)"]),
        # The band of the fewest to the most, the mean with a marker per number of loci, and the
        # genotypes of all loci as a line across.
        Document("accumulation.svg", {"path.band": 1, "path.series": 1, ".point": loci,
                                      "line.reference": 1},
                 ["Loci kept (count)", "Distinct genotypes (count)"]),
        # A pie per clonal genotype at threshold 2 and a line per link of the GraphML file; a
        # legend entry per population and two lines of the key to the sizes of the pies.
        Document("network.svg", {"g.pie": genotypes, "line.edge": links,
                                  ".legend-entry": populations + 2},
                 ["<script>"]),
        # A marker per distinct clone size of every row, a fitted line per row with a fit.
        Document("pareto.svg", {".point": points, "path.series": fits},
                 ["log10 clone size (individuals)"]),
        Document("thresholds.svg", {"path.series": 1, "g.panel": 1},
                 ["Clonal genotypes (count)"]),
        # 99 permutations fall into 10 bins.
        Document("amova.svg", {"rect.bar": 10, "line.reference": 1}, ["Phi-st (no unit)"]),
        # A point per ramet, a segment per genet of several ramets.
        Document("map.svg", {".point": 14, "line.edge": spread}, ["genets of one ramet"]),
        # The mean kinship per class, its permutation band and the line of no kinship.
        Document("correlogram.svg", {"path.series": 1, "path.band": 1, "line.reference": 1},
                 ["Kinship (Loiselle's F)"]),
        # A dot per population in each index's chart, every population named.
        Document("indices.svg", {"g.panel": indices, ".point": populations * indices},
                 ["Lake", "<script>", "Bay&Co"]),
        # A line and a band per population in each index's panel, and their legend.
        Document("jackknife.svg", {"g.panel": indices, "path.series": populations * indices,
                                   ".legend-entry": populations},
                 ["<script>", "Sample size (individuals)"]),
        # Data (2 tables), histogram, thresholds, suggestions, genotypes (1 table each), loci and
        # accumulation (2), Psex (1), network (none), AMOVA (1), where the clones are (5); seven
        # figures, the network's as in its own file, the map's segments beside its links.
        Document("kelvane.html", {"section.analysis": 10, "table": 15, "svg.figure": 7,
                                  "nav li": 10, "rect.bar": 8 + 10, "g.pie": genotypes,
                                  "line.edge": links + spread, "path.band": 2},
                 ["<script>", "Clonal genotypes at threshold 2"]),
        # Data (2), indices (3), Pareto, shared, bootstrap, differentiation, jackknife (1 each);
        # three figures.
        Document("marsyl.html", {"section.analysis": 7, "table": 10, "svg.figure": 3,
                                 "nav li": 7},
                 ["<script>", "Indices against sample size (jackknife)"]),
    ]


def read_tsv(work, name):
    with open(os.path.join(work, name)) as f:
        header, *lines = [line.rstrip("\n").split("\t") for line in f]
    return [dict(zip(header, line)) for line in lines]


# ---------------------------------------------------------------------------------- well-formed

def check_well_formed(path):
    parser = xml.parsers.expat.ParserCreate()
    with open(path, "rb") as f:
        parser.ParseFile(f)


def same_value(shown, written):
    """Whether a report's cell shows the value a TSV cell holds: text alike, numbers to the six
    significant digits the report shows."""
    if shown == written:
        return True
    try:
        a, b = float(shown), float(written)
    except ValueError:
        return False
    return abs(a - b) <= 5e-6 * max(abs(a), abs(b))


def check_commands(report, programs, work):
    """Runs the command under each table of the report and compares its TSV with the table.
    Returns the problems and the number of tables compared."""
    failures, compared = [], 0
    name = os.path.basename(report)
    page = xml.etree.ElementTree.parse(report).getroot()
    for section in page.iter("section"):
        tables = list(section.iter("table"))
        commands = [code.text for p in section.iter("p") if p.get("class") == "reproduce"
                    for code in p.iter("code")]
        for table, command in zip(tables, commands):
            words = shlex.split(command)
            run = subprocess.run([programs[words[0]], *words[1:]], cwd=work, check=True,
                                 capture_output=True, text=True)
            written = [line.split("\t") for line in run.stdout.splitlines()]
            header = [th.text for th in table.iter("th")]
            rows = [["".join(td.itertext()) for td in tr.iter("td")]
                    for tr in table.find("tbody").iter("tr") if tr.get("class") != "more"]
            if written[0] != header:
                continue  # a table that sums up what its command lists, as the genotypes
            compared += 1
            if len(rows) != min(len(written) - 1, 500):
                failures.append(f"{name}: {command}: {len(written) - 1} rows, the report "
                                f"shows {len(rows)}")
            for row, line in zip(rows, written[1:]):
                if len(row) != len(line) or not all(map(same_value, row, line)):
                    failures.append(f"{name}: {command}: the report shows {row}, the "
                                    f"command writes {line}")
                    break
    return failures, compared


def well_formed(args):
    failures = []
    with tempfile.TemporaryDirectory() as first, tempfile.TemporaryDirectory() as second:
        documents = write_documents(args.kelvane, args.marsyl, args.data, first)
        write_documents(args.kelvane, args.marsyl, args.data, second, threads=1)
        for document in documents:
            path = os.path.join(first, document.name)
            try:
                check_well_formed(path)
            except xml.parsers.expat.ExpatError as error:
                failures.append(f"{document.name}: not well-formed XML: {error}")
            with open(path, "rb") as a, open(os.path.join(second, document.name), "rb") as b:
                content = a.read()
                if content != b.read():
                    failures.append(f"{document.name}: a second run wrote other bytes")
            # The population named <script> is text wherever it is shown.
            shown = "<script>" in document.texts
            if b"<script" in content or (shown and b"&lt;script&gt;" not in content):
                failures.append(f"{document.name}: the name <script> is not escaped")
        # Every table the reports show is what the command beneath it writes: histogram,
        # thresholds, suggestions, loci, accumulation, Psex, AMOVA, subrange, Ac, Ee and the
        # correlogram; indices, partitioning, extended indices, Pareto, shared genotypes,
        # bootstrap, differentiation and jackknife.
        programs = {"kelvane": os.path.abspath(args.kelvane),
                    "marsyl": os.path.abspath(args.marsyl)}
        compared = 0
        for report_name in ("kelvane.html", "marsyl.html"):
            problems, count = check_commands(os.path.join(first, report_name), programs, first)
            failures += problems
            compared += count
        if compared != 19:
            failures.append(f"{compared} tables of the reports compared with their commands, "
                            f"expected 19")
        failures += check_histogram_note(programs["kelvane"], first)
    return report(failures, len(documents))


def check_histogram_note(kelvane, work):
    """The report gives the notes the histogram command writes: on the distances (repeat lengths
    guessed) and on the pairs beyond its classes."""
    options = ["--distance", "two-phase", "--repeat-lengths", "auto", "--classes", "4",
               "--max-distance", "2"]
    said = subprocess.run([kelvane, "histogram", "plants.txt", *options, "--out", "beyond.tsv"],
                          cwd=work, check=True, capture_output=True, text=True).stderr
    notes = [line.removeprefix("kelvane: note: ") for line in said.splitlines()
             if line.startswith("kelvane: note: ")]
    subprocess.run([kelvane, "report", "plants.txt", *options, "--permutations", "0",
                    "--no-date", "--html", "beyond.html"], cwd=work, check=True,
                   capture_output=True)
    with open(os.path.join(work, "beyond.html"), encoding="utf-8") as f:
        shown = html.unescape(f.read())
    failures = []
    if len(notes) != 2 or "beyond 2" not in notes[1] or "guessed" not in notes[0]:
        failures.append(f"the histogram command's notes are not the two expected: {notes!r}")
    for note in notes:
        if note[0].upper() + note[1:] + "." not in shown:
            failures.append(f"the report does not give the command's note {note!r}")
    return failures


# ---------------------------------------------------------------------------------- the browser

def find_chromium():
    for name in (os.environ.get("CHROMIUM"), "chromium", "chromium-browser"):
        if name and shutil.which(name):
            return shutil.which(name)
    return None


class Browser:
    """Headless Chromium driven over the DevTools protocol on file descriptors 3 and 4."""

    def __init__(self, chromium):
        self.profile = tempfile.mkdtemp(prefix="browser-check-")
        to_browser_read, self.to_browser = os.pipe()
        self.from_browser, from_browser_write = os.pipe()

        def wire():
            read, write = os.dup(to_browser_read), os.dup(from_browser_write)
            os.dup2(read, 3)
            os.dup2(write, 4)

        self.process = subprocess.Popen(
            [chromium, *CHROMIUM_FLAGS, "--user-data-dir=" + self.profile, "about:blank"],
            preexec_fn=wire, close_fds=False, stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self.buffer = b""
        self.next_id = 0
        self.events = []
        target = self.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.call("Target.attachToTarget",
                                 {"targetId": target, "flatten": True})["sessionId"]
        for domain in ("Page", "Runtime", "Log"):
            self.call(domain + ".enable", session=True)

    def send(self, method, params, session):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        return self.next_id

    def receive(self, deadline):
        while b"\0" not in self.buffer:
            if time.monotonic() > deadline:
                raise TimeoutError("Chromium did not answer")
            chunk = os.read(self.from_browser, 1 << 16)
            if not chunk:
                raise RuntimeError("Chromium closed its pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, params=None, session=False, seconds=30):
        wanted = self.send(method, params, session)
        deadline = time.monotonic() + seconds
        while True:
            message = self.receive(deadline)
            if message.get("id") == wanted:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message["result"]
            self.events.append(message)

    def open(self, path, seconds=30):
        """Loads the page; returns the seconds it took until its load event."""
        self.events.clear()
        start = time.monotonic()
        self.call("Page.navigate", {"url": "file://" + os.path.abspath(path)}, session=True)
        deadline = start + seconds
        while not any(e.get("method") == "Page.loadEventFired" for e in self.events):
            self.events.append(self.receive(deadline))
        return time.monotonic() - start

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True},
                           session=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"the check script failed: {result['exceptionDetails']}")
        return result["result"]["value"]

    def screenshot(self):
        """The window at a quarter of its size: enough to tell ink from a blank page, and quick
        to decode."""
        clip = {"x": 0, "y": 0, "width": 1280, "height": 1000, "scale": 0.25}
        data = self.call("Page.captureScreenshot", {"format": "png", "clip": clip},
                         session=True)["data"]
        return base64.b64decode(data)

    def console_errors(self):
        errors = []
        for event in self.events:
            method, params = event.get("method"), event.get("params", {})
            if method == "Runtime.exceptionThrown":
                errors.append(params["exceptionDetails"].get("text", "exception"))
            elif method == "Runtime.consoleAPICalled" and params.get("type") in ("error", "warning"):
                errors.append(" ".join(str(a.get("value")) for a in params.get("args", [])))
            elif method == "Log.entryAdded" and params["entry"]["level"] in ("error", "warning"):
                errors.append(params["entry"]["text"])
        return errors

    def close(self):
        try:
            self.call("Browser.close", seconds=10)
        except (RuntimeError, TimeoutError, OSError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self.to_browser)
        os.close(self.from_browser)
        shutil.rmtree(self.profile, ignore_errors=True)


# What the rendered page shows, gathered in the page: element counts, texts, texts of a figure
# that overlap or leave it, and anything that would script the page or fetch from elsewhere.
PAGE_FACTS = r"""
(selectors) => {
  const facts = {counts: {}, overlaps: [], outside: [], scripted: [], fetched: [], texts: []};
  for (const selector of selectors) {
    facts.counts[selector] = document.querySelectorAll(selector).length;
  }
  for (const element of document.querySelectorAll('*')) {
    if (element.localName === 'script') facts.scripted.push('script element');
    for (const attribute of element.attributes) {
      if (attribute.name.startsWith('on')) facts.scripted.push(attribute.name);
      if (['src', 'href', 'xlink:href'].includes(attribute.name) &&
          !attribute.value.startsWith('#')) facts.fetched.push(attribute.value);
    }
    if (element.children.length === 0) facts.texts.push(element.textContent.trim());
  }
  const tolerance = 0.5;
  for (const svg of document.querySelectorAll('svg')) {
    const frame = svg.getBoundingClientRect();
    const texts = [...svg.querySelectorAll('text')].filter(t => t.textContent.trim() !== '');
    const boxes = texts.map(t => t.getBoundingClientRect());
    for (let i = 0; i < boxes.length; ++i) {
      const a = boxes[i];
      if (a.left < frame.left - tolerance || a.right > frame.right + tolerance ||
          a.top < frame.top - tolerance || a.bottom > frame.bottom + tolerance) {
        facts.outside.push(texts[i].textContent);
      }
      for (let j = i + 1; j < boxes.length; ++j) {
        const b = boxes[j];
        if (a.left < b.right - tolerance && b.left < a.right - tolerance &&
            a.top < b.bottom - tolerance && b.top < a.bottom - tolerance) {
          facts.overlaps.push(texts[i].textContent + ' | ' + texts[j].textContent);
        }
      }
    }
  }
  return facts;
}
"""


def png_pixels(png):
    """Width, height and the rows of RGB(A) bytes of an 8-bit RGB or RGBA PNG."""
    assert png[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    position, idat, header = 8, b"", None
    while position < len(png):
        length, kind = struct.unpack(">I4s", png[position:position + 8])
        body = png[position + 8:position + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        position += 12 + length
    width, height, depth, colour, _, _, interlace = header
    assert depth == 8 and colour in (2, 6) and interlace == 0, "unexpected PNG layout"
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - channels] if x >= channels else 0
            up = previous[x]
            corner = previous[x - channels] if x >= channels else 0
            if kind == 1:
                line[x] = (line[x] + left) & 255
            elif kind == 2:
                line[x] = (line[x] + up) & 255
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[x] = (line[x] + predictor) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, channels, rows


def screenshot_problem(png):
    """Why the screenshot looks blank, or None: some ink and more than two colours."""
    width, height, channels, rows = png_pixels(png)
    colours, inked = set(), 0
    for row in rows:
        for x in range(0, width * channels, channels):
            pixel = row[x:x + 3]
            colours.add(pixel)
            inked += pixel != b"\xff\xff\xff"
    sampled = height * width
    if inked < sampled * 0.005 or len(colours) < 3:
        return f"the screenshot looks blank ({inked} of {sampled} pixels inked, " \
               f"{len(colours)} colours)"
    return None


def render(args):
    chromium = find_chromium()
    if not chromium:
        print("skipped: Chromium is not installed (Debian: apt-get install chromium)")
        return SKIP
    failures = []
    with tempfile.TemporaryDirectory() as work:
        documents = write_documents(args.kelvane, args.marsyl, args.data, work)
        browser = Browser(chromium)
        try:
            for document in documents:
                failures += check_document(browser, os.path.join(work, document.name), document)
        finally:
            browser.close()
    return report(failures, len(documents))


def check_document(browser, path, document):
    name = document.name
    seconds = browser.open(path)
    facts = browser.evaluate(f"({PAGE_FACTS})({json.dumps(list(document.counts))})")
    failures = []
    for selector, expected in document.counts.items():
        if facts["counts"][selector] != expected:
            failures.append(f"{name}: {facts['counts'][selector]} of '{selector}', "
                            f"expected {expected}")
    for text in document.texts:
        if text not in facts["texts"]:
            failures.append(f"{name}: no element shows the text {text!r}")
    for kind in ("overlaps", "outside", "scripted", "fetched"):
        for item in facts[kind]:
            failures.append(f"{name}: {kind}: {item}")
    for error in browser.console_errors():
        failures.append(f"{name}: console: {error}")
    problem = screenshot_problem(browser.screenshot())
    if problem:
        failures.append(f"{name}: {problem}")
    if seconds > 2.0:
        failures.append(f"{name}: took {seconds:.2f} s to open")
    return failures


def open_time(args):
    chromium = find_chromium()
    if not chromium:
        print("skipped: Chromium is not installed")
        return SKIP
    browser = Browser(chromium)
    try:
        seconds = browser.open(args.file, seconds=60)
        errors = browser.console_errors()
    finally:
        browser.close()
    size = os.path.getsize(args.file)
    print(f"{args.file}: {size / 1e6:.2f} MB, opened in {seconds:.2f} s")
    for error in errors:
        print(f"console: {error}")
    return 0 if seconds <= args.max_seconds and not errors else 1


def report(failures, documents):
    for failure in failures:
        print(failure)
    print(f"{documents} documents, {len(failures)} problems")
    return 1 if failures else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="command", required=True)
    for name in ("well-formed", "render"):
        sub = commands.add_parser(name)
        sub.add_argument("--kelvane", required=True)
        sub.add_argument("--marsyl", required=True)
        sub.add_argument("--data", required=True)
    sub = commands.add_parser("open")
    sub.add_argument("file")
    sub.add_argument("--max-seconds", type=float, default=2.0)
    args = parser.parse_args()
    action = {"well-formed": well_formed, "render": render, "open": open_time}[args.command]
    sys.exit(action(args))


if __name__ == "__main__":
    main()
