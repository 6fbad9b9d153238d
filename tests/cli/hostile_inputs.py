#!/usr/bin/env python3
"""Hostile inputs: wavemark-convert answers each with a message and status 1.

Each input a scanner, a disk or a user might hand the converter must give
status 1 in time (no signal, no hang), the given text on stderr, the existing
output file unchanged and no other file beside it.

usage: hostile_inputs.py CONVERT SAMPLES [--sanitized]
  --sanitized  leave out the memory limit case (AddressSanitizer reserves
               more address space than any such limit allows)
"""

import os
import pathlib
import resource
import subprocess
import sys
import tempfile

HEADER = ("# $Creator: Network Stumbler Version 0.4.0\r\n"
          "# $Format: wi-scan summary with extensions\r\n"
          "# Latitude\tLongitude\t( SSID )\tType\t( BSSID )\tTime (GMT)\t"
          "[ SNR Sig Noise ]\t# ( Name )\tFlags\tChannelbits\tBcnIntvl\r\n"
          "# $DateGMT: 2004-04-08\r\n")
AP_LINE = ("N 47.3770150\tE 8.5390250\t( net )\tBSS\t( 00:0b:86:c2:e1:40 )\t12:34:56 (GMT)\t"
           "[ 20 70 50 ]\t# (  )\t0001\t0040\t100\r\n")
PREVIOUS = b"previous output\n"


def export(work, name, count):
    with open(os.path.join(work, name), "w", newline="") as f:
        f.write(HEADER + AP_LINE * count)
    return f.name


def limit(kind, value):
    return lambda: resource.setrlimit(kind, (value, resource.RLIM_INFINITY))


def run_case(convert, work, name, args, expect_text, preexec=None):
    output = pathlib.Path(work, name, "out.gtm")
    output.parent.mkdir()
    output.write_bytes(PREVIOUS)
    problems = []
    try:
        run = subprocess.run([convert, *args, "-o", output], capture_output=True, timeout=60,
                             preexec_fn=preexec)
    except subprocess.TimeoutExpired:
        return [f"{name}: no answer within 60 s"]
    stderr = run.stderr.decode(errors="replace")
    if run.returncode != 1:
        problems.append(f"{name}: exit status {run.returncode}, stderr {stderr!r}")
    if expect_text not in stderr:
        problems.append(f"{name}: {expect_text!r} not in {stderr!r}")
    if os.listdir(output.parent) != ["out.gtm"]:
        problems.append(f"{name}: files left: {sorted(os.listdir(output.parent))}")
    if output.read_bytes() != PREVIOUS:
        problems.append(f"{name}: the existing output file was changed")
    return problems


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__)
        return 2
    convert, samples = os.path.abspath(sys.argv[1]), sys.argv[2]
    summary = os.path.join(samples, "summary.txt")
    text = os.path.join(samples, "text.txt")
    with tempfile.TemporaryDirectory(prefix="wavemark-hostile-") as work:
        fifo = os.path.join(work, "fifo")
        os.mkfifo(fifo)
        # 65,536 waypoints of one BSSID, each taking all 65,537 of its
        # readings: 2^32 + 65,536 trackpoints.
        many_aps = export(work, "many-summary.txt", 65536)
        many_readings = export(work, "many-text.txt", 65537)
        with open(os.path.join(work, "sparse.txt"), "wb") as sparse:
            sparse.truncate(8 << 30)
        cases = [
            ("too-many-trackpoints", [many_aps, many_readings], "too many track points"),
            ("fifo-as-text", [summary, fifo], "Invalid argument"),
            ("fifo-as-settings", ["--settings", fifo, summary, text], "Invalid argument"),
            ("file-size-limit", [summary, text], "File too large",
             limit(resource.RLIMIT_FSIZE, 4096)),
        ]
        if sys.argv[3:] != ["--sanitized"]:
            cases.append(("memory-limit", [sparse.name, text], "Cannot allocate memory",
                          limit(resource.RLIMIT_AS, 1 << 30)))
        problems = [problem for case in cases for problem in run_case(convert, work, *case)]
    for problem in problems:
        print(problem)
    print(f"{len(cases)} cases, {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
