#!/usr/bin/env python3
"""Times Python's plistlib on the property list that plist_bench leaves behind.

Usage: bench/plistlib_compare.py [FILE]   (default: build/bench/plist_bench.plist)
Run build/bench/plist_bench first; this script only reads that file (the
write is timed into memory).
"""
import io
import pathlib
import plistlib
import statistics
import sys
import time

REPEATS = 10


def timed(action):
    times = []
    for _ in range(REPEATS):
        start = time.perf_counter()
        action()
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times), min(times)


def main():
    default = pathlib.Path(__file__).resolve().parent.parent / "build" / "bench" / "plist_bench.plist"
    path = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
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


if __name__ == "__main__":
    main()
