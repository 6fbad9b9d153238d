#!/usr/bin/env python3
"""Interop check: wavemark-convert output read back by gpsbabel.

For the bundled sample survey and for a generated survey of ~500 access points
and ~50,000 readings, this converts the two exports with first-start defaults,
then compares against the generator's manifest (its ground truth):

  - the seven counter lines the converter prints;
  - the GTM file size, from the record sizes of the format;
  - what gpsbabel reads from the GTM file (as GPX): every waypoint's name,
    comment, time, elevation (the signal level), symbol and position, and
    every track's name, point count and first and last point time.

gpsbabel is an independent GTM reader and a required test dependency: the
check fails when it is missing. Exit 0 when everything agrees, 1 on any
mismatch (with a readable diff), 2 on bad usage.
"""

import argparse
import difflib
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

GPX_NS = "{http://www.topografix.com/GPX/1/0}"

# The counter lines exactly as the program prints them (its own spelling).
COUNTER_LINES = [
    ("CountWEP", "Number of APs with WEP : "),
    ("CountNoWEP", "Number of APs without WEP : "),
    ("CountAdHoc", "Number of AdHoc peers : "),
    ("CountFiltered", "Number of filterd APs : "),
    ("WptCount", "Number of Waypoints: "),
    ("TrkCount", "Number of Tracklogs: "),
    ("TrkPointCount", "Number of Trackpoints: "),
]

# gpsbabel's names for the two default symbol codes (checked against its GTM
# reader: 141 "Radio Beacon", 44 "Tall Tower").
SYMBOL_NAMES = {141: "Radio Beacon", 44: "Tall Tower"}

STYLE_RECORDS = 4
STYLE_FACE = b"Arial"
MAX_REPORTED = 25


def gpsbabel_text(raw):
    """gpsbabel takes GTM texts as UTF-8; our Windows-1252 bytes are invalid
    UTF-8 there and come out as U+FFFD, which Python's 'replace' mirrors."""
    return raw.decode("utf-8", errors="replace")


class Manifest:
    def __init__(self, path):
        self.counters = {}
        self.waypoints = []
        self.tracks = []
        with open(path, "rb") as f:
            for number, line in enumerate(f.read().split(b"\n"), 1):
                if not line or line.startswith(b"#"):
                    continue
                fields = line.split(b"\t")
                kind = fields[0]
                if kind == b"counter" and len(fields) == 3:
                    self.counters[fields[1].decode()] = int(fields[2])
                elif kind == b"wpt" and len(fields) == 8:
                    self.waypoints.append({
                        "name": fields[1].decode(), "comment": fields[2],
                        "time": fields[3].decode(), "altitude": int(fields[4]),
                        "symbol": int(fields[5]), "lat": float(fields[6]),
                        "lon": float(fields[7])})
                elif kind == b"trk" and len(fields) == 5:
                    self.tracks.append({
                        "name": fields[1], "points": int(fields[2]),
                        "first": fields[3].decode(), "last": fields[4].decode()})
                else:
                    raise ValueError(f"{path}:{number}: unreadable manifest line {line!r}")
        missing = [key for key, _ in COUNTER_LINES if key not in self.counters]
        if missing:
            raise ValueError(f"{path}: manifest lacks counters {missing}")
        if self.counters["WptCount"] != len(self.waypoints) or \
                self.counters["TrkCount"] != len(self.tracks):
            raise ValueError(f"{path}: manifest counts disagree with its own lists")

    def expected_gtm_size(self):
        size = 180
        if self.waypoints:
            size += sum(43 + len(w["comment"]) for w in self.waypoints)
            size += STYLE_RECORDS * (30 + len(STYLE_FACE))
        points = self.counters["TrkPointCount"]
        if points:
            size += 25 * points
            size += sum(14 + len(t["name"].strip(b" ")) for t in self.tracks)
        return size


class Report:
    def __init__(self, case):
        self.case = case
        self.problems = []

    def expect(self, what, expected, got):
        if expected != got:
            self.problems.append(f"{what}: expected {expected!r}, got {got!r}")

    def fail(self, text):
        self.problems.append(text)

    def print(self):
        if not self.problems:
            print(f"[{self.case}] ok")
            return
        print(f"[{self.case}] {len(self.problems)} mismatch(es):")
        for problem in self.problems[:MAX_REPORTED]:
            print(f"  {problem}")
        if len(self.problems) > MAX_REPORTED:
            print(f"  ... and {len(self.problems) - MAX_REPORTED} more")


def check_counters(report, manifest, stdout):
    expected = [f"{label}{manifest.counters[key]}" for key, label in COUNTER_LINES]
    got = stdout.splitlines()
    if got == expected:
        return
    report.fail("converter output differs from the seven counter lines:")
    for i in range(max(len(expected), len(got))):
        want = expected[i] if i < len(expected) else "(no line)"
        have = got[i] if i < len(got) else "(no line)"
        if want != have:
            report.fail(f"  line {i + 1}: expected {want!r}, got {have!r}")


def text_of(element, tag):
    child = element.find(GPX_NS + tag)
    return None if child is None else (child.text or "")


def aligned(report, kind, expected, got, key_of_expected, key_of_got):
    """Pairs expected and got items by their names in order; reports the ones
    missing or unexpected instead of letting one shift spoil every later pair."""
    report.expect(f"number of {kind}s read by gpsbabel", len(expected), len(got))
    wanted = [key_of_expected(item) for item in expected]
    found = [key_of_got(item) for item in got]
    matcher = difflib.SequenceMatcher(a=wanted, b=found, autojunk=False)
    for tag, a0, a1, b0, b1 in matcher.get_opcodes():
        if tag == "equal":
            yield from ((a0 + i + 1, expected[a0 + i], got[b0 + i]) for i in range(a1 - a0))
            continue
        for i in range(a0, a1):
            report.fail(f"{kind} {i + 1} ({wanted[i].rstrip()}) missing in the GTM file")
        for i in range(b0, b1):
            report.fail(f"unexpected {kind} ({(found[i] or '').rstrip()}) at position {i + 1} "
                        "of the GTM file")


def check_waypoints(report, manifest, gpx):
    pairs = aligned(report, "waypoint", manifest.waypoints, gpx.findall(GPX_NS + "wpt"),
                    lambda w: w["name"].ljust(10), lambda e: text_of(e, "name"))
    for index, want, have in pairs:
        where = f"waypoint {index} ({want['name']})"
        comment = gpsbabel_text(want["comment"])
        report.expect(f"{where} comment <cmt>", comment, text_of(have, "cmt"))
        report.expect(f"{where} comment <desc>", comment, text_of(have, "desc"))
        report.expect(f"{where} time", want["time"], text_of(have, "time"))
        report.expect(f"{where} elevation", f"{want['altitude']:.3f}", text_of(have, "ele"))
        report.expect(f"{where} symbol", SYMBOL_NAMES[want["symbol"]], text_of(have, "sym"))
        for axis in ("lat", "lon"):
            value = float(have.get(axis))
            if abs(value - want[axis]) > 5e-8:
                report.fail(f"{where} {axis}: expected {want[axis]:.7f}, got {value:.9f}")


def check_tracks(report, manifest, gpx):
    pairs = aligned(report, "track", manifest.tracks, gpx.findall(GPX_NS + "trk"),
                    lambda t: gpsbabel_text(t["name"].strip(b" ")), lambda e: text_of(e, "name"))
    for index, want, have in pairs:
        where = f"track {index} ({gpsbabel_text(want['name'])})"
        points = have.findall(f"{GPX_NS}trkseg/{GPX_NS}trkpt")
        report.expect(f"{where} points", want["points"], len(points))
        if points:
            report.expect(f"{where} first point time", want["first"], text_of(points[0], "time"))
            report.expect(f"{where} last point time", want["last"], text_of(points[-1], "time"))


def run_case(case, args, summary, text, manifest_path, work):
    report = Report(case)
    manifest = Manifest(manifest_path)
    gtm = os.path.join(work, f"{case}.gtm")
    run = subprocess.run([args.convert, summary, text, "-o", gtm], capture_output=True)
    if run.returncode != 0:
        report.fail(f"wavemark-convert exited with {run.returncode}; stderr: "
                    f"{run.stderr.decode(errors='replace').strip()!r}")
        return report
    check_counters(report, manifest, run.stdout.decode(errors="replace"))
    if not os.path.isfile(gtm):
        report.fail(f"wavemark-convert wrote no file {gtm}")
        return report
    report.expect("GTM file size", manifest.expected_gtm_size(), os.path.getsize(gtm))

    babel = subprocess.run(["gpsbabel", "-i", "gtm", "-f", gtm, "-o", "gpx", "-F", "-"],
                           capture_output=True)
    if babel.returncode != 0:
        report.fail(f"gpsbabel cannot read {gtm}: "
                    f"{babel.stderr.decode(errors='replace').strip()!r}")
        return report
    gpx = ET.fromstring(babel.stdout)
    check_waypoints(report, manifest, gpx)
    check_tracks(report, manifest, gpx)
    return report


def generate(args, work, prefix, options):
    subprocess.run([args.gensurvey, *options, "-o", os.path.join(work, prefix)], check=True)
    return [os.path.join(work, f"{prefix}-{part}") for part in
            ("summary.txt", "text.txt", "manifest.tsv")]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--convert", required=True, help="path of wavemark-convert")
    parser.add_argument("--gensurvey", required=True, help="path of wavemark-gensurvey")
    parser.add_argument("--samples", required=True, help="folder of the bundled sample survey")
    parser.add_argument("--aps", type=int, default=500)
    parser.add_argument("--readings", type=int, default=50000)
    parser.add_argument("--seed", type=int, default=7)
    parser.add_argument("--keep", help="keep the work files in this folder")
    args = parser.parse_args()

    args.convert = os.path.abspath(args.convert)
    args.gensurvey = os.path.abspath(args.gensurvey)
    for tool in (args.convert, args.gensurvey):
        if not os.access(tool, os.X_OK):
            print(f"interop_check: not an executable: {tool}")
            return 1
    if shutil.which("gpsbabel") is None:
        print("interop_check: gpsbabel is not installed; it is a required test dependency")
        return 1

    with tempfile.TemporaryDirectory(prefix="wavemark-interop-") as temp:
        work = args.keep or temp
        os.makedirs(work, exist_ok=True)
        # The committed sample, against the manifest the generator makes now
        # (that the committed files are current is the sample test's job).
        _, _, sample_manifest = generate(args, work, "sample", ["--sample"])
        reports = [run_case("sample", args, os.path.join(args.samples, "summary.txt"),
                            os.path.join(args.samples, "text.txt"), sample_manifest, work)]
        summary, text, manifest = generate(
            args, work, "survey",
            ["--aps", str(args.aps), "--readings", str(args.readings), "--seed", str(args.seed)])
        reports.append(run_case("generated", args, summary, text, manifest, work))

    for report in reports:
        report.print()
    return 0 if all(not r.problems for r in reports) else 1


if __name__ == "__main__":
    sys.exit(main())
