#!/usr/bin/env python3
"""Reading a 1M-row, 4-column .xlsx: bench_xlsx_read (the sheet into text, and the whole
channel import) beside openpyxl in read-only mode on the same file, in one run.

    python3 bench/xlsx_read.py [BUILD_DIR]      (default build-bench)

Prints each time, the ratio to openpyxl, and each peak resident memory against the file's
inflated size + 48 bytes a cell. Without openpyxl its column is skipped with a message."""
import json
import os
import pathlib
import resource
import subprocess
import sys
import tempfile
import time
import zipfile

ROOT = pathlib.Path(__file__).resolve().parents[1]
BUILD = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "build-bench").resolve()
PROGRAM = BUILD / "bench" / "bench_xlsx_read"
ROWS, COLUMNS = 1_000_000, 4


def run_benchmark(name, path):
    """One benchmark in its own process, so that its peak memory is its own."""
    out = subprocess.run(
        [str(PROGRAM), f"--benchmark_filter=^{name}/", "--benchmark_format=json"],
        env=dict(os.environ, QLNX_BENCH_XLSX=str(path)),
        check=True, capture_output=True, text=True).stdout
    result = json.loads(out)["benchmarks"][0]
    if result.get("error_occurred"):
        sys.exit(f"{name}: {result.get('error_message')}")
    return result["real_time"] / 1e3, result["peak_MB"]


def openpyxl_read(path):
    """Every row's values, kept as the import keeps its columns; None without openpyxl."""
    try:
        import openpyxl
    except ImportError:
        return None
    start = time.perf_counter()
    workbook = openpyxl.load_workbook(path, read_only=True)
    columns = [[] for _ in range(COLUMNS)]
    for row in workbook.worksheets[0].iter_rows(values_only=True):
        for column, value in zip(columns, row):
            column.append(value)
    workbook.close()
    seconds = time.perf_counter() - start
    if len(columns[0]) != ROWS + 2:
        sys.exit(f"openpyxl read {len(columns[0])} rows")
    return seconds, resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024


def main():
    with tempfile.TemporaryDirectory() as folder:
        path = pathlib.Path(folder) / "record.xlsx"
        text = run_benchmark("BM_XlsxSheetToText", path)  # writes the workbook first
        whole = run_benchmark("BM_XlsxChannelImport", path)
        with zipfile.ZipFile(path) as archive:
            inflated = sum(info.file_size for info in archive.infolist())
        size = path.stat().st_size
        other = openpyxl_read(path)
    limit_mb = (inflated + 48 * COLUMNS * (ROWS + 2)) / 2**20
    print(f"file {size / 2**20:.1f} MB, inflated {inflated / 2**20:.1f} MB, "
          f"{ROWS} rows x {COLUMNS} columns; memory limit {limit_mb:.1f} MB "
          f"(inflated + 48 B a cell)")
    print(f"{'reader':34} {'time s':>8} {'peak MB':>8} {'vs openpyxl':>12} {'within limit':>13}")
    for label, (seconds, peak) in (("sheet to text (bench_xlsx_read)", text),
                                   ("channel import (bench_xlsx_read)", whole)):
        ratio = f"{other[0] / seconds:.1f}x" if other else "-"
        print(f"{label:34} {seconds:8.2f} {peak:8.1f} {ratio:>12} "
              f"{'yes' if peak <= limit_mb else 'NO':>13}")
    if other:
        print(f"{'openpyxl read-only':34} {other[0]:8.2f} {other[1]:8.1f}")
    else:
        print("openpyxl is not installed (python3-openpyxl): its column is skipped")


if __name__ == "__main__":
    main()
