#!/usr/bin/env python3
"""Interop check: wavemark-convert output read back by gpsbabel.

For the bundled sample survey and for a generated survey of ~500 access points
and ~50,000 readings, this converts the two exports with first-start defaults
and compares with the survey generator's manifest (its ground truth): the
seven counter lines, the GTM file size from the record sizes of the format,
and what gpsbabel (an independent GTM reader, a required test dependency)
reads from the file as GPX: every waypoint's name, comment, time, elevation
(the signal level), symbol and position, every track's name, point count and
first and last point time. Exit 0 when all agree, 1 on any mismatch.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

GPX = "{http://www.topografix.com/GPX/1/0}"
COUNTER_LINES = [
    ("CountWEP", "Number of APs with WEP : "),
    ("CountNoWEP", "Number of APs without WEP : "),
    ("CountAdHoc", "Number of AdHoc peers : "),
    ("CountFiltered", "Number of filterd APs : "),
    ("WptCount", "Number of Waypoints: "),
    ("TrkCount", "Number of Tracklogs: "),
    ("TrkPointCount", "Number of Trackpoints: "),
]
# gpsbabel's names for the two default symbol codes.
SYMBOL_NAMES = {141: "Radio Beacon", 44: "Tall Tower"}
STYLE_BYTES = 4 * (30 + len("Arial"))
MAX_REPORTED = 25


def gpsbabel_text(raw):
    """gpsbabel takes GTM texts as UTF-8; Windows-1252 bytes come out as
    U+FFFD, which 'replace' mirrors."""
    return raw.decode("utf-8", errors="replace")


def read_manifest(path):
    counters, waypoints, tracks = {}, [], []
    with open(path, "rb") as f:
        for line in f.read().split(b"\n"):
            fields = line.split(b"\t")
            if fields[0] == b"counter":
                counters[fields[1].decode()] = int(fields[2])
            elif fields[0] == b"wpt":
                waypoints.append((fields[1].decode(), gpsbabel_text(fields[2]), fields[3].decode(),
                                  f"{int(fields[4]):.3f}", SYMBOL_NAMES[int(fields[5])],
                                  float(fields[6]), float(fields[7]), len(fields[2])))
            elif fields[0] == b"trk":
                name = fields[1].strip(b" ")
                tracks.append((gpsbabel_text(name), int(fields[2]), fields[3].decode(),
                               fields[4].decode(), len(name)))
    return counters, waypoints, tracks


def expected_size(counters, waypoints, tracks):
    size = 180
    if waypoints:
        size += sum(43 + w[-1] for w in waypoints) + STYLE_BYTES
    if counters["TrkPointCount"]:
        size += 25 * counters["TrkPointCount"] + sum(14 + t[-1] for t in tracks)
    return size


def text_of(element, tag):
    child = element.find(GPX + tag)
    return None if child is None else (child.text or "")


def compare(problems, kind, expected, got):
    """Item by item, with positions rounded to the GTM file's precision."""
    if len(expected) != len(got):
        problems.append(f"{len(expected)} {kind}s expected, gpsbabel read {len(got)}")
    for index, (want, have) in enumerate(zip(expected, got), 1):
        if want != have:
            problems.append(f"{kind} {index}: expected {want}, got {have}")


def run_case(case, args, summary, text, manifest_path, work):
    problems = []
    counters, waypoints, tracks = read_manifest(manifest_path)
    gtm = os.path.join(work, f"{case}.gtm")
    run = subprocess.run([args.convert, summary, text, "-o", gtm], capture_output=True)
    if run.returncode != 0:
        return [f"wavemark-convert exited with {run.returncode}: {run.stderr!r}"]
    lines = [f"{label}{counters[key]}" for key, label in COUNTER_LINES]
    compare(problems, "counter line", lines, run.stdout.decode(errors="replace").splitlines())
    if os.path.getsize(gtm) != expected_size(counters, waypoints, tracks):
        problems.append(f"GTM file size {os.path.getsize(gtm)}, expected "
                        f"{expected_size(counters, waypoints, tracks)}")
    babel = subprocess.run(["gpsbabel", "-i", "gtm", "-f", gtm, "-o", "gpx", "-F", "-"],
                           capture_output=True)
    if babel.returncode != 0:
        return problems + [f"gpsbabel cannot read {gtm}: {babel.stderr!r}"]
    gpx = ET.fromstring(babel.stdout)
    got = []
    for w in gpx.findall(GPX + "wpt"):
        got.append((text_of(w, "name").rstrip(), text_of(w, "cmt"), text_of(w, "time"),
                    text_of(w, "ele"), text_of(w, "sym"), round(float(w.get("lat")), 7),
                    round(float(w.get("lon")), 7)))
        if text_of(w, "desc") != text_of(w, "cmt"):
            problems.append(f"waypoint {got[-1][0]}: <desc> differs from <cmt>")
    compare(problems, "waypoint", [w[:7] for w in waypoints], got)
    got = []
    for t in gpx.findall(GPX + "trk"):
        points = t.findall(f"{GPX}trkseg/{GPX}trkpt")
        got.append((text_of(t, "name"), len(points), text_of(points[0], "time") if points else None,
                    text_of(points[-1], "time") if points else None))
    compare(problems, "track", [t[:4] for t in tracks], got)
    return problems


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
    args = parser.parse_args()
    if shutil.which("gpsbabel") is None:
        print("interop_check: gpsbabel is not installed; it is a required test dependency")
        return 1
    failed = False
    with tempfile.TemporaryDirectory(prefix="wavemark-interop-") as work:
        # The committed sample against the manifest the generator makes now
        # (that the committed files are current is the sample test's job).
        _, _, manifest = generate(args, work, "sample", ["--sample"])
        cases = [("sample", os.path.join(args.samples, "summary.txt"),
                  os.path.join(args.samples, "text.txt"), manifest)]
        cases.append(("generated", *generate(
            args, work, "survey",
            ["--aps", str(args.aps), "--readings", str(args.readings), "--seed", str(args.seed)])))
        for case, summary, text, manifest in cases:
            problems = run_case(case, args, summary, text, manifest, work)
            print(f"[{case}] " + ("ok" if not problems else f"{len(problems)} mismatch(es):"))
            for problem in problems[:MAX_REPORTED]:
                print(f"  {problem}")
            failed |= bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
