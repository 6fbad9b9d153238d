#!/usr/bin/env python3
"""Hostile inputs: wavemark-convert answers each with a message and status 1.

Every case runs the converter on an input a scanner, a disk or a user might
hand it and expects: exit status 1 within the time limit (no signal, no
hang), the given text on stderr, the existing output file unchanged and no
other file left beside it. The last case expects the one waypoint a
coordinate with hundreds of digits must give.

usage: hostile_inputs.py CONVERT SAMPLES [--sanitized]
  --sanitized  leave out the memory limit case (AddressSanitizer reserves
               more address space than any such limit allows)
"""

import os
import resource
import subprocess
import sys
import tempfile

HEADER = ("# $Creator: Network Stumbler Version 0.4.0\r\n"
          "# $Format: wi-scan summary with extensions\r\n"
          "# Latitude\tLongitude\t( SSID )\tType\t( BSSID )\tTime (GMT)\t"
          "[ SNR Sig Noise ]\t# ( Name )\tFlags\tChannelbits\tBcnIntvl\r\n"
          "# $DateGMT: 2004-04-08\r\n")
PREVIOUS = b"previous output\n"


def ap_line(lat="N 47.3770150"):
    return (f"{lat}\tE 8.5390250\t( net )\tBSS\t( 00:0b:86:c2:e1:40 )\t12:34:56 (GMT)\t"
            "[ 20 70 50 ]\t# (  )\t0001\t0040\t100\r\n")


def export(path, lines):
    with open(path, "w", newline="") as f:
        f.write(HEADER + "".join(lines))
    return path


def limit(kind, value):
    return lambda: resource.setrlimit(kind, (value, resource.RLIM_INFINITY))


def run_case(convert, work, name, args, expect_text, preexec=None, expect_status=1):
    folder = os.path.join(work, name)
    os.mkdir(folder)
    output = os.path.join(folder, "out.gtm")
    with open(output, "wb") as f:
        f.write(PREVIOUS)
    problems = []
    try:
        run = subprocess.run([convert, *args, "-o", output], capture_output=True, timeout=60,
                             preexec_fn=preexec)
    except subprocess.TimeoutExpired:
        return [f"{name}: no answer within 60 s"]
    stderr = run.stderr.decode(errors="replace")
    if run.returncode != expect_status:
        problems.append(f"{name}: exit status {run.returncode}, stderr {stderr!r}")
    text = stderr if expect_status else run.stdout.decode(errors="replace")
    if expect_text not in text:
        problems.append(f"{name}: {expect_text!r} not in {text!r}")
    if os.listdir(folder) != ["out.gtm"]:
        problems.append(f"{name}: files left: {sorted(os.listdir(folder))}")
    if expect_status and open(output, "rb").read() != PREVIOUS:
        problems.append(f"{name}: the existing output file was changed")
    return problems


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__)
        return 2
    convert, samples = os.path.abspath(sys.argv[1]), sys.argv[2]
    sanitized = sys.argv[3:] == ["--sanitized"]
    summary = os.path.join(samples, "summary.txt")
    text = os.path.join(samples, "text.txt")
    with tempfile.TemporaryDirectory(prefix="wavemark-hostile-") as work:
        fifo = os.path.join(work, "fifo")
        os.mkfifo(fifo)
        # 65,536 waypoints of one BSSID, each taking all 65,537 of its
        # readings: 2^32 + 65,536 trackpoints.
        many_aps = export(os.path.join(work, "many-summary.txt"), [ap_line()] * 65536)
        many_readings = export(os.path.join(work, "many-text.txt"), [ap_line()] * 65537)
        sparse = os.path.join(work, "sparse.txt")
        with open(sparse, "wb") as f:
            f.truncate(8 << 30)
        tiny_lat = export(os.path.join(work, "tiny-lat.txt"),
                          [ap_line("N 0." + "0" * 400 + "1")])
        cases = [
            ("too-many-trackpoints", [many_aps, many_readings], "too many track points"),
            ("fifo-as-text", [summary, fifo], "Invalid argument"),
            ("fifo-as-settings", ["--settings", fifo, summary, text], "Invalid argument"),
            ("file-size-limit", [summary, text], "File too large",
             limit(resource.RLIMIT_FSIZE, 4096)),
        ]
        if not sanitized:
            cases.append(("memory-limit", [sparse, text], "Cannot allocate memory",
                          limit(resource.RLIMIT_AS, 1 << 30)))
        problems = []
        for case in cases:
            problems += run_case(convert, work, *case)
        problems += run_case(convert, work, "many-digit-latitude", ["--no-tracks", tiny_lat],
                             "Number of Waypoints: 1", expect_status=0)
    for problem in problems:
        print(problem)
    print(f"{len(cases) + 1} cases, {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
