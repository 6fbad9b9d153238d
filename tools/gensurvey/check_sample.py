#!/usr/bin/env python3
"""Checks that the committed sample survey is exactly what
`wavemark-gensurvey --sample` makes now: regenerates it into a temporary
folder and compares the bytes, with a hex dump of the first difference.

usage: check_sample.py GENSURVEY SAMPLES_DIR
"""

import os
import subprocess
import sys
import tempfile


def hex_line(data, offset):
    start = max(0, offset - 8)
    chunk = data[start:start + 24]
    return f"{start:08x}: " + " ".join(f"{b:02x}" for b in chunk) + f"  {chunk!r}"


def compare(committed_path, fresh_path):
    with open(committed_path, "rb") as f:
        committed = f.read()
    with open(fresh_path, "rb") as f:
        fresh = f.read()
    if committed == fresh:
        return True
    offset = next((i for i, (a, b) in enumerate(zip(committed, fresh)) if a != b),
                  min(len(committed), len(fresh)))
    line = committed.count(b"\n", 0, offset) + 1
    print(f"{committed_path} differs from the generator's output at byte {offset} (line {line});"
          f" sizes {len(committed)} vs {len(fresh)}")
    print(f"  committed {hex_line(committed, offset)}")
    print(f"  generated {hex_line(fresh, offset)}")
    return False


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    gensurvey, samples = sys.argv[1:]
    with tempfile.TemporaryDirectory(prefix="wavemark-sample-") as work:
        prefix = os.path.join(work, "sample")
        subprocess.run([gensurvey, "--sample", "-o", prefix], check=True)
        same = [compare(os.path.join(samples, name), f"{prefix}-{name}")
                for name in ("summary.txt", "text.txt")]
    if not all(same):
        print("Regenerate with: cmake --build BUILD --target update-samples")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
