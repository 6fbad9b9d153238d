#!/usr/bin/env python3
"""Hostile files: wavemark-convert answers each with a message and status 1.

Each must give status 1 in time, the given text on stderr, what the output names unchanged
and no other file beside it; so must counters printed to a full disk. Pipes and gzip inputs
must give the bytes plain files give.

usage: hostile_files.py CONVERT SAMPLES [--sanitized]  (--sanitized: no memory limit case)
"""

import gzip
import os
import pathlib
import resource
import shutil
import socket
import stat
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
WIGLE = ("WigleWifi-1.6,appRelease=1\nMAC,SSID,AuthMode,FirstSeen,Channel,Frequency,RSSI,"
         "CurrentLatitude,CurrentLongitude,AltitudeMeters,AccuracyMeters,RCOIs,MfgrId,Type\n"
         "00:0b:86:c2:e1:40,net,[WEP][ESS],2004-04-08 12:00:00,6,2437,-60,47.1,8.5,0,5,,,WIFI\n"
         "00:0b:86:c2:e1:40,net,[WEP][ESS],2004-04-08 12:00:05,6,2437,-58,47.2,8.5,0,5,,,WIFI\n")


def export(work, name, count):
    with open(os.path.join(work, name), "w", newline="") as f:
        f.write(HEADER + AP_LINE * count)
    return f.name


def limit(kind, value):
    return lambda: resource.setrlimit(kind, (value, resource.RLIM_INFINITY))


def previous_file(path, mode=0o644):
    path.write_bytes(PREVIOUS)
    path.chmod(mode)


def link_to(target, hard=False):
    return lambda path: os.link(target, path) if hard else os.symlink(target, path)


# What the path names, its links followed, and a regular file's bytes.
def snapshot(path):
    mode = os.stat(path).st_mode
    return stat.S_IFMT(mode), stat.S_IMODE(mode), path.read_bytes() if stat.S_ISREG(mode) else None


def run_case(convert, work, name, args, expect_text, preexec=None, make_output=previous_file):
    output = pathlib.Path(work, name, "out.gtm")
    output.parent.mkdir()
    make_output(output)
    before = snapshot(output)
    args = [output if arg == "OUT" else arg for arg in args]
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
    if snapshot(output) != before:
        problems.append(f"{name}: what the output names was changed")
    return problems


def counters_to_a_full_disk(convert, work, summary, text):
    """Standard output on a full disk: status 1 and a message, not a silent success."""
    with open("/dev/full", "wb") as full:
        run = subprocess.run([convert, summary, text, "-o", os.path.join(work, "full.gtm")],
                             stdout=full, stderr=subprocess.PIPE, timeout=60)
    stderr = run.stderr.decode(errors="replace")
    if run.returncode != 1 or "the counters could not be printed" not in stderr:
        return [f"standard output on a full disk: status {run.returncode}, {stderr!r}"]
    return []


def streams_and_links(convert, work, summary, text):
    """Pipes, standard input, gzip and the longest name give the bytes plain files give; so do
    a survey file given twice, and one read from standard input redirected from the file."""
    folder = pathlib.Path(work, "streams")
    folder.mkdir()
    reference = folder / "reference.gtm"
    subprocess.run([convert, "-q", summary, text, "-o", reference], check=True)
    wigle = folder / "w.csv"
    wigle.write_text(WIGLE)
    wigle_reference = folder / "wigle.gtm"
    subprocess.run([convert, "-q", wigle, "-o", wigle_reference], check=True)
    # The inputs as a shell gives them, converted to OUT.
    runs = {
        "text export from standard input": f"cat {text} | C {summary} -",
        "summary export from a pipe": f"C <(cat {summary}) {text}",
        "summary export from standard input": f"cat {summary} | C - {text}",
        "gzip text export from standard input": f"gzip -c {text} | C {summary} -",
        "gzip summary export of two members": f"{{ head -c 999 {summary} | gzip; "
        f"tail -c +1000 {summary} | gzip; }} > s.gz && C s.gz {text}",
        "name of 255 bytes": f"C {summary} {text}",
        "wigle: survey file from standard input": "C - < w.csv",
        "wigle: a file given twice": "V w.csv ./w.csv 2>&1 | "
        "grep -qx 'wavemark-convert: ./w.csv is a file given before: it is read once'",
        "wigle: gzip padded with zeros": "{ gzip -c w.csv; head -c 1000 /dev/zero; } > z.gz && "
        "C z.gz",
        "wigle: gzip with trailing garbage": "{ gzip -c w.csv; echo junk; } > g.gz && V g.gz 2>&1 | "
        "grep -qx '.*: g.gz: decompression OK, trailing garbage ignored'",
    }
    problems = []
    for index, (name, command) in enumerate(runs.items()):
        written = folder / (("n" * 251 + ".gtm") if name.startswith("name") else f"{index}.gtm")
        command = command.replace("C ", f"{convert} -q -o {written.name} ")
        command = command.replace("V ", f"{convert} -o {written.name} ")
        run = subprocess.run(["bash", "-c", command], cwd=folder, capture_output=True, timeout=60)
        expected = wigle_reference if name.startswith("wigle") else reference
        if run.returncode != 0 or written.read_bytes() != expected.read_bytes():
            problems.append(f"{name}: status {run.returncode}, {run.stderr!r}, other bytes")
    return len(runs), problems


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__)
        return 2
    convert, samples = os.path.abspath(sys.argv[1]), sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="wavemark-hostile-") as work:
        summary = shutil.copy(os.path.join(samples, "summary.txt"), work)
        text = shutil.copy(os.path.join(samples, "text.txt"), work)
        # 65,536 waypoints of one BSSID, each taking all 65,537 of its
        # readings: 2^32 + 65,536 trackpoints.
        many_aps = export(work, "many-summary.txt", 65536)
        many_readings = export(work, "many-text.txt", 65537)
        with open(os.path.join(work, "sparse.txt"), "wb") as sparse:
            sparse.truncate(8 << 30)
        # A text export cut short, and a summary export whose CRC is wrong.
        packed = gzip.compress(pathlib.Path(text).read_bytes())
        truncated = pathlib.Path(work, "truncated.gz")
        truncated.write_bytes(packed[:len(packed) // 2])
        packed = bytearray(gzip.compress(pathlib.Path(summary).read_bytes()))
        packed[-8] ^= 1
        corrupted = pathlib.Path(work, "corrupted.gz")
        corrupted.write_bytes(packed)
        # Lone inputs of no kind the converter reads: each is told for what it is.
        lone = {"empty": b"", "short": b"Net", "ns1-version-256": b"NetS\0\1\0\0\0\0\0\0",
                "ns1-no-records": b"NetS\x0c\0\0\0\2\0\0\0",
                "utf-16": "WigleWifi-1.6\n".encode("utf-16"), "broken-gzip": b"\x1f\x8b\x08"}
        for name, content in lone.items():
            pathlib.Path(work, name).write_bytes(content)
        cases = [
            ("lone-empty", [os.path.join(work, "empty")], "Is empty"),
            ("lone-short", [os.path.join(work, "short")], "Is 3 bytes long"),
            ("lone-ns1-version-256", [os.path.join(work, "ns1-version-256")],
             "Has NS1 version 256, which is not known"),
            ("lone-ns1-no-records", [os.path.join(work, "ns1-no-records")],
             "Is a truncated NS1 file: it ends before record 1 of 2"),
            ("lone-utf-16", [os.path.join(work, "utf-16")], "Is UTF-16 text"),
            ("lone-broken-gzip", [os.path.join(work, "broken-gzip")], "Is a truncated gzip file"),
            ("lone-folder", [work], "Is a folder"),
            ("lone-device", ["/dev/zero"], "Is not a regular file"),
            ("too-many-trackpoints", [many_aps, many_readings], "too many track points"),
            ("device-as-text", [summary, "/dev/zero"], "Is not a regular file"),
            ("truncated-gzip-text", [summary, truncated], "Is a truncated gzip file"),
            ("corrupted-gzip-summary", [corrupted, text], "Is not a valid gzip file"),
            ("device-as-settings", ["--settings", "/dev/zero", summary, text],
             "Is not a regular file"),
            ("output-is-the-text-export", [summary, "OUT"], "Is the same file as the text export",
             None, link_to(text, hard=True)),
            ("output-links-to-the-summary", [summary, text],
             "Is the same file as the summary export", None, link_to(summary)),
            ("output-is-the-settings-file", ["--settings", "OUT", summary, text],
             "Is the same file as the settings file"),
            ("output-is-a-device", [summary, text], "Is a device", None, link_to("/dev/null")),
            ("output-is-a-fifo", [summary, text], "Is a named pipe", None, os.mkfifo),
            ("output-is-a-socket", [summary, text], "Is a socket", None,
             lambda path: socket.socket(socket.AF_UNIX).bind(str(path))),
            ("output-is-a-folder", [summary, text], "Is a folder", None, os.mkdir),
            ("output-is-read-only", [summary, text], "Is read-only", None,
             lambda path: previous_file(path, 0o444)),
            ("file-size-limit", [summary, text], "File too large",
             limit(resource.RLIMIT_FSIZE, 4096)),
        ]
        # 8 GiB of zero bytes are one line far longer than any export's: it is not held.
        if sys.argv[3:] != ["--sanitized"]:
            cases.append(("memory-limit", [sparse.name, text], "Not a Network Stumbler file !",
                          limit(resource.RLIMIT_AS, 1 << 30)))
        problems = [problem for case in cases for problem in run_case(convert, work, *case)]
        count, more = streams_and_links(convert, work, summary, text)
        problems += more + counters_to_a_full_disk(convert, work, summary, text)
    for problem in problems:
        print(problem)
    print(f"{len(cases) + count + 1} cases, {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
