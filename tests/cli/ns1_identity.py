#!/usr/bin/env python3
"""NS1 identity: converting a survey's NetStumbler log gives the very GTM file
that converting its summary and text exports gives.

For several seeds, the bundled sample and every log version the generator
writes (1, 6, 8, 11, 12), wavemark-gensurvey writes the exports and PREFIX.ns1
of one survey; wavemark-convert converts the exports, the log, and the log
gzip-compressed; the GTM files must match byte for byte and the counter lines
line for line. Some runs add options (WEP filter, random colours, a name
filter, no tracks), which must act on both inputs alike.

A version-1 log keeps no positions, times or readings, and so do the exports
the generator writes for it: both give a GTM file without waypoints or tracks,
and the same counters (the name filter still counts). For the other versions
the runs must give waypoints and tracks, so that no comparison is empty.

usage: ns1_identity.py CONVERT GENSURVEY
"""

import gzip
import os
import subprocess
import sys
import tempfile

VERSIONS = ["1", "6", "8", "11", "12"]
SURVEYS = [["--sample"],
           ["--aps", "300", "--readings", "6000", "--seed", "1"],
           ["--aps", "2000", "--readings", "40000", "--seed", "23"]]
OPTION_SETS = [[], ["--only-no-wep", "--random-colors", "--filter", "MOBILE,public,"],
               ["--no-tracks"]]


def first_difference(a, b):
    at = next((i for i, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))
    start = max(0, at - 8)
    return (f"first difference at byte {at} of {len(a)} / {len(b)}:\n"
            f"  exports {a[start:start + 24].hex(' ')}\n  ns1     {b[start:start + 24].hex(' ')}")


def convert(tool, inputs, options, gtm):
    run = subprocess.run([tool, *options, *inputs, "-o", gtm], capture_output=True)
    if run.returncode != 0:
        raise RuntimeError(f"wavemark-convert {' '.join(inputs)} exited with "
                           f"{run.returncode}: {run.stderr.decode(errors='replace')}")
    with open(gtm, "rb") as f:
        return run.stdout.decode(errors="replace").splitlines(), f.read()


def counter(lines, label):
    return next(int(line[len(label):]) for line in lines if line.startswith(label))


def check_case(tool, work, prefix, version, options):
    problems = []
    base = os.path.join(work, prefix)
    exports = convert(tool, [base + "-summary.txt", base + "-text.txt"], options,
                      base + "-exports.gtm")
    with open(base + ".ns1", "rb") as f, gzip.open(base + ".ns1.gz", "wb") as z:
        z.write(f.read())
    for log in (base + ".ns1", base + ".ns1.gz"):
        lines, gtm = convert(tool, [log], options, base + "-log.gtm")
        if lines != exports[0]:
            problems.append(f"{os.path.basename(log)}: counters {lines} != exports {exports[0]}")
        if gtm != exports[1]:
            problems.append(f"{os.path.basename(log)}: GTM differs, "
                            + first_difference(exports[1], gtm))
    waypoints = counter(exports[0], "Number of Waypoints: ")
    points = counter(exports[0], "Number of Trackpoints: ")
    if version == "1" and (waypoints, points) != (0, 0):
        problems.append(f"version 1 gave {waypoints} waypoints, {points} trackpoints")
    if version != "1" and (waypoints == 0 or (points == 0 and "--no-tracks" not in options)):
        problems.append(f"an empty comparison: {waypoints} waypoints, {points} trackpoints")
    return problems


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    tool, gensurvey = sys.argv[1:]
    failed = False
    with tempfile.TemporaryDirectory(prefix="wavemark-ns1-") as work:
        for s, survey in enumerate(SURVEYS):
            for version in VERSIONS:
                prefix = f"survey{s}-v{version}"
                subprocess.run([gensurvey, *survey, "--ns1", version, "-o",
                                os.path.join(work, prefix)], check=True)
                for options in OPTION_SETS:
                    problems = check_case(tool, work, prefix, version, options)
                    name = f"[{' '.join(survey)} --ns1 {version} {' '.join(options)}]"
                    print(name + (" ok" if not problems else f" {len(problems)} problem(s):"))
                    for problem in problems:
                        print(f"  {problem}")
                    failed |= bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
