#!/usr/bin/env python3
"""Agreement check: one survey as NetStumbler exports and as WiGLE CSV.

wavemark-gensurvey writes the same survey (the bundled sample and a generated
one) as a summary and a text export and as WiGLE CSV 1.4 and 1.6; each is
converted with first-start defaults, and gpsbabel reads both GTM files back.

They must agree on every track: its name and every trackpoint's position,
time and signal, in order. Where a WiGLE file cannot carry what the exports
hold, the expected value comes from the text export, read here:
- the summary line's position is where the access point stands and its time
  when it was first heard; a WiGLE file has only readings, so its waypoint is
  the strongest reading with a fix (first of equals): position, time and
  signal of that reading;
- a summary line without a fix gives no waypoint, but the WiGLE file has the
  access point's readings with a fix: it is a waypoint, with its track;
- a flag digit other than 0 and 1 (short preamble) is a class of its own to
  the exports' counters; AuthMode knows protected or open, by the WEP bit.
The counters printed must be those these rules give, and the Bluetooth and
cell rows left out must be those Python's csv module finds.

usage: wigle_agreement.py CONVERT GENSURVEY
"""

import csv
import io
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

GPX = "{http://www.topografix.com/GPX/1/0}"
FILTERED = {b"MOBILE", b"public", b"eurospot", b"wlan@thenet"}
SIGNAL_OVER_DBM = 149  # the exports' Sig column is dBm + 149


def text_of(element, tag):
    child = element.find(GPX + tag)
    return None if child is None else (child.text or "")


def gtm_contents(gtm):
    """Waypoints and tracks as gpsbabel, an independent GTM reader, sees them."""
    babel = subprocess.run(["gpsbabel", "-i", "gtm", "-f", gtm, "-o", "gpx", "-F", "-"],
                           capture_output=True, check=True)
    gpx = ET.fromstring(babel.stdout)
    waypoints = [(text_of(w, "name").rstrip(), text_of(w, "cmt"), text_of(w, "time"),
                  float(text_of(w, "ele")), text_of(w, "sym"), round(float(w.get("lat")), 7),
                  round(float(w.get("lon")), 7)) for w in gpx.findall(GPX + "wpt")]
    tracks = []
    for t in gpx.findall(GPX + "trk"):
        points = [(round(float(p.get("lat")), 7), round(float(p.get("lon")), 7),
                   text_of(p, "time"), float(text_of(p, "ele")))
                  for p in t.findall(f"{GPX}trkseg/{GPX}trkpt")]
        tracks.append((text_of(t, "name"), points))
    return waypoints, tracks


def coordinate(column):
    value = float(column[2:])
    return -value if column[0] in "SW" else value


def read_export(path):
    """(bssid, ssid, flags, position or None, time, signal) per data line."""
    lines, date = [], None
    with open(path, "rb") as f:
        for line in f.read().split(b"\r\n"):
            if line.startswith(b"# $DateGMT: "):
                date = line[12:].decode()
                continue
            columns = line.split(b"\t")
            if line.startswith(b"#") or len(columns) < 9:
                continue
            lat, lon = coordinate(columns[0].decode()), coordinate(columns[1].decode())
            fix = (lat, lon) != (0, 0) and abs(lat) <= 90 and abs(lon) <= 180
            signal = int(columns[6].split()[2])
            lines.append((columns[4][2:-2].decode(), columns[2][2:-2], columns[8].decode(),
                          (round(lat, 7), round(lon, 7)) if fix else None,
                          f"{date}T{columns[5][:8].decode()}Z", signal))
    return lines


def expected(summary, text, csv_path):
    """What converting the WiGLE file must give, from the exports."""
    aps = {}
    for bssid, ssid, flags, position, _, _ in read_export(summary):
        aps[bssid] = {"ssid": ssid, "wep": int(flags, 16) & 0x10 != 0, "digit": flags[2],
                      "ad_hoc": flags[3] == "2",
                      "summary_fix": position is not None, "readings": [], "best": None}
    for bssid, _, _, position, time, signal in read_export(text):
        ap = aps[bssid]
        if position is not None:
            ap["readings"].append((*position, time, float(signal)))
            if ap["best"] is None or signal > ap["best"][3]:
                ap["best"] = (*position, time, float(signal))
    with open(csv_path, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(io.StringIO(f.read().split("\n", 1)[1])))
    type_at = rows[0].index("Type")
    others = sum(1 for row in rows[1:] if row and row[-1 if len(row) <= type_at else type_at]
                 != "WIFI")
    return aps, others


def check_case(convert, work, prefix, version):
    problems = []
    summary, text, csv_path = (f"{prefix}-summary.txt", f"{prefix}-text.txt", f"{prefix}.csv")
    runs = {}
    for kind, inputs in (("exports", [summary, text]), ("wigle", [csv_path])):
        gtm = os.path.join(work, f"{os.path.basename(prefix)}-{version}-{kind}.gtm")
        run = subprocess.run([convert, *inputs, "-o", gtm], capture_output=True)
        if run.returncode != 0:
            return [f"wavemark-convert {kind} exited with {run.returncode}: {run.stderr!r}"]
        runs[kind] = (run.stdout.decode(errors="replace").splitlines(), *gtm_contents(gtm))
    (_, exp_wpts, exp_trks), (printed, wig_wpts, wig_trks) = runs["exports"], runs["wigle"]
    aps, others = expected(summary, text, csv_path)

    kept = [(b, ap) for b, ap in aps.items() if ap["ssid"] not in FILTERED and ap["best"]]
    suffix = lambda bssid: bssid[9:].replace(":", "")
    comment = lambda b, ap: ap["ssid"].decode("utf-8", errors="replace") or suffix(b)
    want_wpts = [(suffix(b), comment(b, ap), ap["best"][2], ap["best"][3],
                  "Tall Tower" if ap["wep"] else "Radio Beacon", ap["best"][0], ap["best"][1])
                 for b, ap in kept]
    want_trks = [(comment(b, ap), ap["readings"]) for b, ap in kept if len(ap["readings"]) >= 2]
    if wig_wpts != want_wpts:
        problems.append(f"waypoints: {len(want_wpts)} expected, {len(wig_wpts)} made; first "
                        f"difference {next((w, g) for w, g in zip(want_wpts + [None], wig_wpts + [None]) if w != g)}")
    if wig_trks != want_trks:
        problems.append(f"tracks differ from the text export's readings ({len(want_trks)} "
                        f"expected, {len(wig_trks)} made)")

    # The exports' own conversion: the same tracks, and the same waypoints
    # but for what only the summary line knows.
    only_summary = {suffix(b) for b, ap in kept if not ap["summary_fix"]}
    both = [t for t, (b, ap) in zip(wig_trks, [k for k in kept if len(k[1]["readings"]) >= 2])
            if ap["summary_fix"]]
    if exp_trks != both:
        problems.append(f"tracks: the exports make {len(exp_trks)}, WiGLE {len(both)} of theirs")
    own_class = {suffix(b) for b, ap in kept if ap["digit"] not in "01"}
    shared = [(w[0], w[1]) + ((w[4],) if w[0] not in own_class else ())
              for w in wig_wpts if w[0] not in only_summary]
    theirs = [(w[0], w[1]) + ((w[4],) if w[0] not in own_class else ()) for w in exp_wpts]
    if shared != theirs:
        problems.append("waypoint names, comments or classes differ from the exports'")

    wep = sum(1 for _, ap in kept if ap["wep"])
    counters = [f"Number of APs with WEP : {wep}", f"Number of APs without WEP : {len(kept) - wep}",
                f"Number of AdHoc peers : {sum(1 for _, ap in kept if ap['ad_hoc'])}",
                f"Number of filterd APs : {sum(1 for ap in aps.values() if ap['ssid'] in FILTERED)}",
                f"Number of Waypoints: {len(kept)}", f"Number of Tracklogs: {len(want_trks)}",
                f"Number of Trackpoints: {sum(len(t[1]) for t in want_trks)}",
                f"Left out, Bluetooth and cell rows: {others}"]
    if printed != counters:
        problems.append(f"printed {printed}, expected {counters}")
    return problems


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    convert, gensurvey = sys.argv[1:]
    failed = False
    with tempfile.TemporaryDirectory(prefix="wavemark-wigle-") as work:
        for name, options in (("sample", ["--sample"]),
                              ("generated", ["--aps", "300", "--readings", "30000", "--seed", "5"])):
            for version in ("1.4", "1.6"):
                prefix = os.path.join(work, f"{name}{version}")
                subprocess.run([gensurvey, *options, "--wigle", version, "-o", prefix],
                               check=True, capture_output=True)
                problems = check_case(convert, work, prefix, version)
                print(f"[{name} {version}] " + ("ok" if not problems else
                                                f"{len(problems)} mismatch(es):"))
                for problem in problems:
                    print(f"  {problem}")
                failed |= bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
