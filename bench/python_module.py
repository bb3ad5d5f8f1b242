#!/usr/bin/env python3
"""The qlnx module on a record of 1M samples, beside plain numpy code that only splits the
record into loops and beside qlnx-batch doing the same work.

    python3 bench/python_module.py [BUILD_DIR]      (default build-bench; make bench runs it)

Prints the best of several runs of each: the module's analyse + skeleton + evaluate, the numpy
splitting, the batch tool's core time for the same work (bench_batch_core, Google Benchmark),
and whole runs (import + analysis + skeleton + evaluation + JSON) of the module and of the
qlnx-batch program."""
import json
import os
import pathlib
import subprocess
import sys
import tempfile
import time

import numpy as np

ROOT = pathlib.Path(__file__).resolve().parents[1]
BUILD = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "build-bench").resolve()
sys.path.insert(0, str(BUILD / "python"))
import qlnx  # noqa: E402

SAMPLES = 1_000_000
METHOD = "envelope-force"


def make_record(n):
    """Growing-amplitude cycles of 400 samples, the force lagging the displacement (the record
    of the core's analysis benchmark): 2,500 loops in 1M samples."""
    i = np.arange(n, dtype=np.float64)
    t = i * (2 * np.pi / 400)
    amplitude = 1 + i / 1e6
    return amplitude * np.sin(t), 100 * np.tanh(amplitude * np.sin(t + 0.3))


def numpy_split(d, f):
    """Loop splitting in plain numpy: every passage of the displacement through its first
    value starts a half-cycle; a crossing between two samples gets its point inserted
    (force interpolated); each half-cycle's farthest displacement and the force there."""
    x = d - d[0]
    side = np.sign(x)
    # Crossings strictly between samples k and k + 1, and exact landings on the first value.
    k = np.nonzero(side[:-1] * side[1:] < 0)[0]
    landings = np.nonzero((side[1:] == 0) & (side[:-1] != 0))[0] + 1
    share = x[k] / (x[k] - x[k + 1])
    crossing_force = f[k] + share * (f[k + 1] - f[k])
    wd = np.insert(d, k + 1, d[0])
    wf = np.insert(f, k + 1, crossing_force)
    inserted = k + 1 + np.arange(k.size)
    # Landings move by the crossings inserted before them.
    landed = landings + np.searchsorted(k + 1, landings, side="right")
    starts = np.unique(np.concatenate(([0], inserted, landed)))
    # The farthest point of each half-cycle (from its start through the next start).
    distance = np.abs(wd - d[0])
    segment = np.repeat(np.arange(starts.size), np.diff(np.append(starts, wd.size)))
    order = np.lexsort((-distance, segment))
    first = np.searchsorted(segment[order], np.arange(starts.size))
    extreme = order[first]
    return wd, wf, starts, wd[extreme], wf[extreme]


def best(call, runs):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    return min(times)


def main():
    batch = BUILD / "src" / "cli" / "qlnx-batch"
    core_bench = BUILD / "bench" / "bench_batch_core"
    d, f = make_record(SAMPLES)
    with tempfile.TemporaryDirectory() as folder:
        path = pathlib.Path(folder) / "record_1M.csv"
        np.savetxt(path, np.column_stack([d, f]), fmt="%.17g", delimiter=",")
        record = qlnx.read(str(path))
        # numpy's own arrays: a view of the record held would make each step copy the record.
        d, f = record.raw_disp.copy(), record.raw_force.copy()

        def module_core():
            record.analyze(noise_band=0.0)
            record.skeleton(METHOD)
            record.evaluate()

        def module_whole():
            r = qlnx.read(str(path))
            r.analyze(noise_band=0.0)
            r.skeleton(METHOD)
            r.evaluate()
            return r.to_json()

        def batch_whole():
            subprocess.run([batch, "--json", "--method", METHOD, "--evaluate", path],
                           stdout=subprocess.DEVNULL, check=False)

        split = numpy_split(d, f)
        module_core()
        assert record.loop_count * 2 <= split[2].size <= record.loop_count * 2 + 1, "splits differ"
        t_module = best(module_core, 7)
        held = record.raw_disp
        t_module_held = best(module_core, 7)
        del held
        t_numpy = best(lambda: numpy_split(d, f), 7)
        t_module_whole = best(module_whole, 3)
        t_read = best(lambda: qlnx.read(str(path)), 3)
        t_json = best(record.to_json, 3)
        t_batch_whole = best(batch_whole, 3)
        core = subprocess.run([core_bench, "--benchmark_format=json"], capture_output=True,
                              text=True, env={**os.environ, "QLNX_BENCH_RECORD": str(path)},
                              check=True)
        t_batch_core = json.loads(core.stdout)["benchmarks"][0]["real_time"] / 1e3

    rows = [
        ("qlnx: analyse + skeleton + evaluate", t_module),
        ("qlnx-batch core: the same work (bench_batch_core)", t_batch_core),
        ("qlnx: the same while an array of the record is held", t_module_held),
        ("numpy: loop splitting alone", t_numpy),
        ("qlnx: read", t_read),
        ("qlnx: to_json (an 80 MB str)", t_json),
        ("qlnx: read + analyse + skeleton + evaluate + to_json", t_module_whole),
        ("qlnx-batch --json --method --evaluate (whole program)", t_batch_whole),
    ]
    print(f"Record of {SAMPLES:,} samples, {record.loop_count:,} loops, method {METHOD} (best of runs)")
    for name, seconds in rows:
        print(f"  {name:<56} {seconds * 1e3:9.1f} ms")
    print(f"  module / batch core time          {t_module / t_batch_core:6.2f}x  (goal: at most 1.2x)")
    print(f"  numpy splitting / module          {t_numpy / t_module:6.2f}x  (goal: at least 10x)")
    print(f"  module whole / batch whole        {t_module_whole / t_batch_whole:6.2f}x")


if __name__ == "__main__":
    main()
