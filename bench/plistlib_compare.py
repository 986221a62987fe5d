#!/usr/bin/env python3
"""Times Python's plistlib on a property list that plist_bench leaves behind,
and measures its peak memory when reading it in a fresh process (compare with
build/bench/plist_peak_memory).

Usage: bench/plistlib_compare.py [FILE]   (default: build/bench/plist_bench_100000.plist)
Run build/bench/plist_bench first; this script only reads that file (the
write is timed into memory).
"""
import io
import pathlib
import plistlib
import statistics
import subprocess
import sys
import time

REPEATS = 5

PEAK_MEMORY = """
import plistlib, resource, sys
before = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
with open(sys.argv[1], "rb") as f:
    plistlib.load(f)
after = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
print(f"{after / 1024:.1f} MB ({before / 1024:.1f} MB before reading)")
"""


def timed(action):
    times = []
    for _ in range(REPEATS):
        start = time.perf_counter()
        action()
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times), min(times)


def main():
    default = pathlib.Path(__file__).resolve().parent.parent / "build" / "bench" / "plist_bench_100000.plist"
    path = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    # Measured first, while this process is small: a child's peak counts its
    # parent's memory at the moment it was started.
    peak = subprocess.run([sys.executable, "-c", PEAK_MEMORY, str(path)], check=True,
                          capture_output=True, text=True).stdout.strip()
    data = path.read_bytes()
    records = plistlib.loads(data)

    def read():
        with open(path, "rb") as f:
            plistlib.load(f)

    def write():
        plistlib.dump(records, io.BytesIO(), fmt=plistlib.FMT_XML)

    print(f"{path.name}: {len(records)} records, {len(data)} bytes, Python {sys.version.split()[0]}")
    for name, action in (("read", read), ("write", write)):
        median, best = timed(action)
        print(f"plistlib {name}: median {median:.1f} ms, best {best:.1f} ms over {REPEATS} runs")
    print(f"plistlib read, peak memory: {peak}")


if __name__ == "__main__":
    main()
