#!/usr/bin/env python3
"""Agreement check: one survey as NetStumbler exports and as WiGLE CSV.

wavemark-gensurvey writes the bundled sample and a generated survey as a summary and a text
export and as WiGLE CSV 1.4 and 1.6; each is converted and gpsbabel reads the GTM files back.
The WiGLE file's tracks are the text export's readings with a fix; its waypoint is an access
point's strongest reading with a fix (first of equals), even where the summary line has no fix;
its class is protected or open by the WEP bit. The exports' own conversion must share the tracks,
names, comments and classes (but for a flag digit other than 0 and 1, a class of its own), and
the counters printed must be these rules' and Python's csv module's count of other radios.

usage: wigle_agreement.py CONVERT GENSURVEY
"""

import csv
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

GPX = "{http://www.topografix.com/GPX/1/0}"
FILTERED = {b"MOBILE", b"public", b"eurospot", b"wlan@thenet"}


def gtm_contents(gtm):
    """Waypoints and tracks as gpsbabel, an independent GTM reader, sees them."""
    gpx = ET.fromstring(subprocess.run(["gpsbabel", "-i", "gtm", "-f", gtm, "-o", "gpx", "-F", "-"],
                                       capture_output=True, check=True).stdout)
    at = lambda p: (round(float(p.get("lat")), 7), round(float(p.get("lon")), 7))
    text = lambda e, tag: e.find(GPX + tag).text or ""
    waypoints = [(text(w, "name").rstrip(), text(w, "cmt"), text(w, "time"), float(text(w, "ele")),
                  text(w, "sym"), *at(w)) for w in gpx.findall(GPX + "wpt")]
    tracks = [(text(t, "name"), [(*at(p), text(p, "time"), float(text(p, "ele")))
                                 for p in t.findall(f"{GPX}trkseg/{GPX}trkpt")])
              for t in gpx.findall(GPX + "trk")]
    return waypoints, tracks


def read_export(path):
    """(bssid, ssid, flags, position or None, time, signal) per data line."""
    lines, date = [], None
    with open(path, "rb") as f:
        for line in f.read().split(b"\r\n"):
            if line.startswith(b"# $DateGMT: "):
                date = line[12:].decode()
            columns = line.split(b"\t")
            if line.startswith(b"#") or len(columns) < 9:
                continue
            lat, lon = (float(c[2:]) * (-1 if c[:1] in b"SW" else 1) for c in columns[:2])
            fix = (lat, lon) != (0, 0) and abs(lat) <= 90 and abs(lon) <= 180
            lines.append((columns[4][2:-2].decode(), columns[2][2:-2], columns[8].decode(),
                          (round(lat, 7), round(lon, 7)) if fix else None,
                          f"{date}T{columns[5][:8].decode()}Z", int(columns[6].split()[2])))
    return lines


def expected_survey(summary, text):
    """What a file that holds the exports' survey converts to, by the rules above: the access
    points by BSSID, those kept and tracked (by waypoint name), their waypoints and tracks as
    gtm_contents gives them, and the seven counter lines."""
    aps = {bssid: {"ssid": ssid, "wep": int(flags, 16) & 0x10 != 0,
                   "ad_hoc": int(flags, 16) & 0x02 != 0, "summary_fix": position is not None,
                   "readings": []}
           for bssid, ssid, flags, position, _, _ in read_export(summary)}
    for bssid, _, _, position, time, signal in read_export(text):
        if position is not None:
            aps[bssid]["readings"].append((*position, time, float(signal)))
    kept = [(b[9:].replace(":", ""), ap) for b, ap in aps.items()
            if ap["ssid"] not in FILTERED and ap["readings"]]
    comment = lambda name, ap: ap["ssid"].decode("utf-8", errors="replace") or name
    best = lambda ap: max(ap["readings"], key=lambda r: r[3])  # the first of equals
    waypoints = [(n, comment(n, ap), best(ap)[2], best(ap)[3],
                  "Tall Tower" if ap["wep"] else "Radio Beacon", *best(ap)[:2]) for n, ap in kept]
    tracked = [(n, ap) for n, ap in kept if len(ap["readings"]) >= 2]
    tracks = [(comment(n, ap), ap["readings"]) for n, ap in tracked]
    wep = sum(1 for _, ap in kept if ap["wep"])
    counters = [f"Number of APs with WEP : {wep}", f"Number of APs without WEP : {len(kept) - wep}",
                f"Number of AdHoc peers : {sum(1 for _, ap in kept if ap['ad_hoc'])}",
                f"Number of filterd APs : {sum(1 for ap in aps.values() if ap['ssid'] in FILTERED)}",
                f"Number of Waypoints: {len(kept)}", f"Number of Tracklogs: {len(tracks)}",
                f"Number of Trackpoints: {sum(len(t[1]) for t in tracks)}"]
    return {"kept": dict(kept), "tracked": tracked, "waypoints": waypoints, "tracks": tracks,
            "counters": counters}


def survey_problems(want, waypoints, tracks, exp_waypoints, exp_tracks):
    """How a survey file's GTM contents differ from what it should be (expected_survey), and
    from the exports' own conversion but for what only the summary line knows."""
    problems = []
    if waypoints != want["waypoints"]:
        problems.append("waypoints: first difference " + str(next(
            (w, g) for w, g in zip(want["waypoints"] + [None], waypoints + [None]) if w != g)))
    if tracks != want["tracks"]:
        problems.append(f"tracks: {len(want['tracks'])} expected, {len(tracks)} made, "
                        "or they differ")
    if exp_tracks != [t for t, (_, ap) in zip(tracks, want["tracked"]) if ap["summary_fix"]]:
        problems.append("tracks differ from the exports'")
    shared = lambda w: (w[0], w[1], w[4])
    if ([shared(w) for w in waypoints if want["kept"][w[0]]["summary_fix"]]
            != [shared(w) for w in exp_waypoints]):
        problems.append("waypoint names, comments or classes differ from the exports'")
    return problems


def check_case(convert, prefix):
    summary, text, csv_path = f"{prefix}-summary.txt", f"{prefix}-text.txt", f"{prefix}.csv"
    runs = {}
    for kind, inputs in (("exports", [summary, text]), ("wigle", [csv_path])):
        run = subprocess.run([convert, *inputs, "-o", f"{prefix}-{kind}.gtm"], capture_output=True)
        if run.returncode != 0:
            return [f"wavemark-convert {kind} exited with {run.returncode}: {run.stderr!r}"]
        runs[kind] = (run.stdout.decode(errors="replace").splitlines(),
                      *gtm_contents(f"{prefix}-{kind}.gtm"))
    (_, exp_wpts, exp_trks), (printed, wig_wpts, wig_trks) = runs["exports"], runs["wigle"]

    want = expected_survey(summary, text)
    with open(csv_path, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f))[1:]
    type_at = rows[0].index("Type")
    others = sum(1 for row in rows[1:] if row and row[min(type_at, len(row) - 1)] != "WIFI")
    problems = survey_problems(want, wig_wpts, wig_trks, exp_wpts, exp_trks)
    counters = want["counters"] + [f"Left out, rows of radios other than Wi-Fi: {others}"]
    if printed != counters:
        problems.append(f"printed {printed}, expected {counters}")
    return problems


def run_cases(doc, kind, cases):
    """Runs `cases` (label, generator options, check(convert, prefix)) on the two surveys, the
    bundled sample and a generated one, in a folder of their own; the exit status."""
    if len(sys.argv) != 3:
        print(doc)
        return 2
    convert, gensurvey = sys.argv[1:]
    failed = False
    with tempfile.TemporaryDirectory(prefix=f"wavemark-{kind}-") as work:
        for name, survey in (("sample", ["--sample"]),
                             ("generated", ["--aps", "300", "--readings", "30000", "--seed", "5"])):
            for label, options, check in cases:
                prefix = os.path.join(work, name + label.replace(" ", ""))
                subprocess.run([gensurvey, *survey, *options, "-o", prefix],
                               check=True, capture_output=True)
                problems = check(convert, prefix)
                print(f"[{name}{label}] " + ("ok" if not problems else "mismatches:"))
                print("".join(f"  {problem}\n" for problem in problems), end="")
                failed |= bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(run_cases(__doc__, "wigle", [(f" {version}", ["--wigle", version], check_case)
                                          for version in ("1.4", "1.6")]))
