#!/usr/bin/env python3
"""Interop check: wavemark-convert output read back by gpsbabel.

The sample survey and a generated one are converted with first-start defaults and compared
with the generator's manifest: the counter lines, and what gpsbabel reads as GPX: each
waypoint's name, comment, time, elevation, symbol and position, each track's name, point
count and first and last time. Then the sample summary is converted to GTM and GPX once per
symbol code, every access point given that code: the GPX file must name it as
tests/data/gtm-symbols.txt does, and gpsbabel must read the GTM file as that file says it does.

usage: interop_check.py CONVERT GENSURVEY SAMPLES
"""

import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

GPX = "{http://www.topografix.com/GPX/1/0}"
# In the order of the manifest's counter rows.
COUNTER_LABELS = ["Number of APs with WEP : ", "Number of APs without WEP : ",
                  "Number of AdHoc peers : ", "Number of filterd APs : ", "Number of Waypoints: ",
                  "Number of Tracklogs: ", "Number of Trackpoints: "]
# gpsbabel's names for the two default symbol codes.
SYMBOL_NAMES = {141: "Radio Beacon", 44: "Tall Tower"}
SYMBOL_TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data",
                            "gtm-symbols.txt")


def gpsbabel_text(raw):
    """gpsbabel reads GTM texts as UTF-8: other bytes come out as U+FFFD."""
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
                                  float(fields[6]), float(fields[7])))
            elif fields[0] == b"trk":
                tracks.append((gpsbabel_text(fields[1].strip(b" ")), int(fields[2]),
                               fields[3].decode(), fields[4].decode()))
    return counters, waypoints, tracks


def text_of(element, tag):
    child = element.find(GPX + tag)
    return None if child is None else (child.text or "")


def compare(problems, kind, expected, got):
    if len(expected) != len(got):
        problems.append(f"{len(expected)} {kind}s expected, gpsbabel read {len(got)}")
    for index, (want, have) in enumerate(zip(expected, got), 1):
        if want != have:
            problems.append(f"{kind} {index}: expected {want}, got {have}")


def run_case(convert, summary, text, manifest_path, gtm):
    problems = []
    counters, waypoints, tracks = read_manifest(manifest_path)
    run = subprocess.run([convert, summary, text, "-o", gtm], capture_output=True)
    if run.returncode != 0:
        return [f"wavemark-convert exited with {run.returncode}: {run.stderr!r}"]
    lines = [label + str(count) for label, count in zip(COUNTER_LABELS, counters.values())]
    compare(problems, "counter line", lines, run.stdout.decode(errors="replace").splitlines())
    babel = subprocess.run(["gpsbabel", "-i", "gtm", "-f", gtm, "-o", "gpx", "-F", "-"],
                           capture_output=True)
    if babel.returncode != 0:
        return problems + [f"gpsbabel cannot read {gtm}: {babel.stderr!r}"]
    gpx = ET.fromstring(babel.stdout)
    # Positions rounded to the GTM file's precision.
    got = [(text_of(w, "name").rstrip(), text_of(w, "cmt"), text_of(w, "time"),
            text_of(w, "ele"), text_of(w, "sym"), round(float(w.get("lat")), 7),
            round(float(w.get("lon")), 7)) for w in gpx.findall(GPX + "wpt")]
    compare(problems, "waypoint", waypoints, got)
    got = []
    for t in gpx.findall(GPX + "trk"):
        points = t.findall(f"{GPX}trkseg/{GPX}trkpt")
        got.append((text_of(t, "name"), len(points), text_of(points[0], "time") if points else None,
                    text_of(points[-1], "time") if points else None))
    compare(problems, "track", tracks, got)
    return problems


def symbol_problems(convert, summary, work):
    settings, gtm, gpx = (os.path.join(work, name) for name in ("s.ini", "s.gtm", "s.gpx"))
    with open(SYMBOL_TABLE, encoding="utf-8") as f:
        table = [line.rstrip("\n").split("\t") for line in f]
    codes = [int(row[0]) for row in table]
    problems = [] if codes == list(range(1, 193)) else [f"table codes {codes[:3]}..., not 1-192"]
    symbols = lambda text: {w.findtext("{*}sym") for w in ET.fromstring(text).findall("{*}wpt")}
    for code, name, *babel in table:
        with open(settings, "w") as f:
            f.write(f"[Waypoints]\nIconNoWEP={code}\nIconWEP={code}\n")
        for output in (gtm, gpx):
            subprocess.run([convert, "-q", "--no-tracks", "--settings", settings, summary, "-o",
                            output], check=True)
        with open(gpx, "rb") as f:
            ours = symbols(f.read())
        theirs = symbols(subprocess.run(["gpsbabel", "-i", "gtm", "-f", gtm, "-o", "gpx", "-F",
                                         "-"], check=True, capture_output=True).stdout)
        babel = {None if babel == ["-"] else babel[0]} if babel else {name}
        if ours != {name}:
            problems.append(f"code {code}: GPX symbols {ours}, expected {name!r}")
        if theirs != babel:
            problems.append(f"code {code}: gpsbabel reads {theirs}, expected {babel}")
    return problems


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    convert, gensurvey, samples = sys.argv[1:]
    failed = False
    with tempfile.TemporaryDirectory(prefix="wavemark-interop-") as work:
        def generate(prefix, *options):
            subprocess.run([gensurvey, *options, "-o", os.path.join(work, prefix)], check=True)
            return [os.path.join(work, f"{prefix}-{part}")
                    for part in ("summary.txt", "text.txt", "manifest.tsv")]

        # The committed sample against the manifest the generator makes now.
        cases = [("sample", os.path.join(samples, "summary.txt"),
                  os.path.join(samples, "text.txt"), generate("sample", "--sample")[2]),
                 ("generated",
                  *generate("survey", "--aps", "500", "--readings", "50000", "--seed", "7"))]
        for case, summary, text, manifest in cases + [("symbols", cases[0][1], None, None)]:
            problems = (symbol_problems(convert, summary, work) if case == "symbols" else
                        run_case(convert, summary, text, manifest,
                                 os.path.join(work, f"{case}.gtm")))
            print(f"[{case}] " + ("ok" if not problems else f"{len(problems)} mismatch(es):"))
            for problem in problems[:25]:
                print(f"  {problem}")
            failed |= bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
