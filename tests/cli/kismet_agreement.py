#!/usr/bin/env python3
"""Agreement check: one survey as NetStumbler exports and as a Kismet log.

wavemark-gensurvey writes the bundled sample and a generated survey as a summary and a text
export and as a Kismet log (an SQLite database, with Wi-Fi clients and Bluetooth devices beside
the access points, and both of Kismet's SSID record forms); the log is converted as it is and
gzip-compressed. Its tracks are the text export's readings with a fix; its waypoint is an access
point's strongest reading with a fix (first of equals); its class is protected or open by the WEP
bit. The exports' own conversion, to GTM and to GPX, must share the tracks, names, comments and
classes, and the counters printed must be these rules' and Python's sqlite3 module's count of
the devices left out.

usage: kismet_agreement.py CONVERT GENSURVEY
"""

import gzip
import json
import shutil
import sqlite3
import subprocess
import sys
import xml.etree.ElementTree as ET

from wigle_agreement import expected_survey, gtm_contents, run_cases, survey_problems


def gpx_tracks(path):
    """(name, [(lat, lon, time)]) per track of a GPX file, whatever its namespace."""
    local = lambda e: e.tag.rsplit("}", 1)[-1]
    child = lambda e, tag: next((c.text or "" for c in e if local(c) == tag), "")
    tracks = []
    for trk in (e for e in ET.parse(path).iter() if local(e) == "trk"):
        points = [(round(float(p.get("lat")), 7), round(float(p.get("lon")), 7), child(p, "time"))
                  for p in trk.iter() if local(p) == "trkpt"]
        tracks.append((child(trk, "name"), points))
    return tracks


def left_out(log):
    """The devices a reader must leave out, by kind, as Python's sqlite3 sees them."""
    other_wifi = other_radios = 0
    with sqlite3.connect(log) as db:
        for phy, record in db.execute("SELECT phyname, device FROM devices"):
            if phy != "IEEE802.11":
                other_radios += 1
            elif json.loads(record)["kismet.device.base.type"] not in ("Wi-Fi AP", "Wi-Fi Ad-Hoc"):
                other_wifi += 1
    return ([f"Left out, Wi-Fi devices other than access points: {other_wifi}"] if other_wifi else []) + \
        ([f"Left out, devices of radios other than Wi-Fi: {other_radios}"] if other_radios else [])


def convert_to(convert, inputs, output):
    run = subprocess.run([convert, *inputs, "-o", output], capture_output=True)
    if run.returncode != 0:
        raise RuntimeError(f"wavemark-convert {inputs} exited with {run.returncode}: {run.stderr!r}")
    return run.stdout.decode(errors="replace").splitlines()


def check_case(convert, prefix):
    summary, text, log = f"{prefix}-summary.txt", f"{prefix}-text.txt", f"{prefix}.kismet"
    with open(log, "rb") as plain, gzip.open(f"{log}.gz", "wb") as packed:
        shutil.copyfileobj(plain, packed)
    try:
        convert_to(convert, [summary, text], f"{prefix}-exports.gtm")
        convert_to(convert, [summary, text], f"{prefix}-exports.gpx")
        printed = convert_to(convert, [log], f"{prefix}-kismet.gtm")
        printed_gz = convert_to(convert, [f"{log}.gz"], f"{prefix}-kismet-gz.gtm")
        convert_to(convert, [log], f"{prefix}-kismet.gpx")
    except RuntimeError as failure:
        return [str(failure)]
    exp_wpts, exp_trks = gtm_contents(f"{prefix}-exports.gtm")
    kis_wpts, kis_trks = gtm_contents(f"{prefix}-kismet.gtm")

    want = expected_survey(summary, text)
    problems = survey_problems(want, kis_wpts, kis_trks, exp_wpts, exp_trks)
    if gtm_contents(f"{prefix}-kismet-gz.gtm") != (kis_wpts, kis_trks) or printed_gz != printed:
        problems.append("the compressed log converts otherwise")
    with_fix = [ap["summary_fix"] for _, ap in want["tracked"]]
    if gpx_tracks(f"{prefix}-exports.gpx") != [
            t for t, fix in zip(gpx_tracks(f"{prefix}-kismet.gpx"), with_fix) if fix]:
        problems.append("GPX tracks differ from the exports'")
    counters = want["counters"] + left_out(log)
    if printed != counters:
        problems.append(f"printed {printed}, expected {counters}")
    return problems


if __name__ == "__main__":
    sys.exit(run_cases(__doc__, "kismet", [("", ["--kismet"], check_case)]))
