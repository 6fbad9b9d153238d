#!/usr/bin/env python3
"""NS1 identity: for several surveys, every log version wavemark-gensurvey writes and a few option
sets, the NS1 log (plain and gzip-compressed) converts to the very GTM file and counters its
summary and text exports convert to. Version 1 keeps no positions, times or readings: no
waypoints or tracks; the others must give some, so that no comparison is empty.

usage: ns1_identity.py CONVERT GENSURVEY
"""

import gzip
import os
import shutil
import subprocess
import sys
import tempfile

VERSIONS = ["1", "6", "8", "11", "12"]
SURVEYS = [["--sample"], ["--aps", "300", "--readings", "6000", "--seed", "1"],
           ["--aps", "2000", "--readings", "40000", "--seed", "23"]]
OPTION_SETS = [[], ["--only-no-wep", "--random-colors", "--filter", "MOBILE,public,"],
               ["--no-tracks"]]


def convert(tool, inputs, options, gtm):
    run = subprocess.run([tool, *options, *inputs, "-o", gtm], capture_output=True, text=True,
                         errors="replace")
    if run.returncode != 0:
        raise RuntimeError(f"{' '.join(inputs)}: status {run.returncode}: {run.stderr}")
    with open(gtm, "rb") as f:
        return run.stdout.splitlines(), f.read()


def problems(tool, base, version, options):
    lines, gtm = convert(tool, [base + "-summary.txt", base + "-text.txt"], options, base + ".gtm")
    for log in (base + ".ns1", base + ".ns1.gz"):
        got_lines, got = convert(tool, [log], options, log + ".gtm")
        if got_lines != lines:
            yield f"{log}: counters {got_lines} != exports {lines}"
        if got != gtm:
            at = next((i for i, (x, y) in enumerate(zip(gtm, got)) if x != y), len(got))
            yield f"{log}: GTM differs at byte {at}: exports {gtm[at:at + 16].hex(' ')}, " \
                  f"log {got[at:at + 16].hex(' ')}"
    waypoints, points = (next(int(line.split(": ")[1]) for line in lines if line.startswith(label))
                         for label in ("Number of Waypoints: ", "Number of Trackpoints: "))
    if version == "1" and (waypoints, points) != (0, 0):
        yield f"version 1 gave {waypoints} waypoints, {points} trackpoints"
    if version != "1" and (waypoints == 0 or (points == 0 and "--no-tracks" not in options)):
        yield f"an empty comparison: {waypoints} waypoints, {points} trackpoints"


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    tool, gensurvey = sys.argv[1:]
    failed = False
    with tempfile.TemporaryDirectory(prefix="wavemark-ns1-") as work:
        for s, survey in enumerate(SURVEYS):
            for version in VERSIONS:
                base = os.path.join(work, f"survey{s}-v{version}")
                subprocess.run([gensurvey, *survey, "--ns1", version, "-o", base], check=True)
                with open(base + ".ns1", "rb") as f, gzip.open(base + ".ns1.gz", "wb") as z:
                    shutil.copyfileobj(f, z)
                for options in OPTION_SETS:
                    found = list(problems(tool, base, version, options))
                    print(f"[{' '.join(survey)} --ns1 {version} {' '.join(options)}]",
                          *(found or ["ok"]), sep="\n  ")
                    failed |= bool(found)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
