#!/usr/bin/env python3
"""A whole batch run beside the bare single-thread read + parse + store of the same record.

Writes cyclic records of the given numbers of rows into a temporary folder (removed at the
end), then for each runs `qlnx-batch FILE` (import, loop analysis, the loop table) and `bare_read_parse_store FILE` one after
the other, --runs times, and prints the minimum wall time of each, their ratio, and the peak
resident memory of one more run of each (from /usr/bin/time -v).

    whole_run.py --batch build-bench/src/cli/qlnx-batch \
                 --bare build-bench/bench/bare_read_parse_store [--rows 1000000 10000000]
"""
import argparse
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time


def write_record(path, rows):
    """The record of bench_core_import.cpp: growing amplitude, fixed decimals, commas."""
    with open(path, "w", newline="") as out:
        chunk = []
        for i in range(rows):
            t = i / 500.0
            disp = 0.5 * (1 + t / 40) * math.sin(t)
            force = 120 * math.tanh(disp / 3) + 4 * math.cos(t)
            chunk.append("%.6f,%.4f\n" % (disp, force))
            if len(chunk) == 100000:
                out.write("".join(chunk))
                chunk = []
        out.write("".join(chunk))


def wall_time(command):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


def peak_mb(command):
    """Maximum resident set size of one run, in MB."""
    timed = subprocess.run(["/usr/bin/time", "-v"] + command, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    found = re.search(r"Maximum resident set size \(kbytes\): (\d+)", timed.stderr)
    return int(found.group(1)) / 1024 if found else float("nan")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--batch", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--rows", type=int, nargs="+", default=[1_000_000, 10_000_000])
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--dir", help="folder for the records (default: a temporary one)")
    args = parser.parse_args()
    folder = args.dir or tempfile.mkdtemp(prefix="qlnx_whole_run_")
    os.makedirs(folder, exist_ok=True)
    try:
        print("%10s %9s %11s %11s %7s %10s %10s" % ("rows", "MB", "batch s", "bare s",
                                                  "ratio", "batch MB", "bare MB"))
        for rows in args.rows:
            path = os.path.join(folder, "record_%d.csv" % rows)
            if not os.path.exists(path):
                write_record(path, rows)
            batch = [args.batch, path]
            bare = [args.bare, path]
            wall_time(batch)  # the file into the page cache, the programs loaded
            wall_time(bare)
            batch_times, bare_times = [], []
            for _ in range(args.runs):
                batch_times.append(wall_time(batch))
                bare_times.append(wall_time(bare))
            b, r = min(batch_times), min(bare_times)
            print("%10d %9.1f %11.3f %11.3f %6.2fx %10.1f %10.1f" % (
                rows, os.path.getsize(path) / 1e6, b, r, b / r, peak_mb(batch), peak_mb(bare)))
            sys.stdout.flush()
    finally:
        if not args.dir:
            shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
