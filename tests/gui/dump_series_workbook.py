#!/usr/bin/python3
"""Prints what the series workbook holds, one fact per line, for the GUI tests.

  sheets <names>
  row <n> <cell values of row n, tab-separated; empty cells empty> (every non-empty row)
  chart <i> series=<count> x=<first series' x range> y=<its y range>
"""
import sys

import openpyxl


def value(v):
    if v is None:
        return ""
    if isinstance(v, float):
        return repr(v)
    return str(v)


def main(path):
    book = openpyxl.load_workbook(path)
    print("sheets " + ",".join(book.sheetnames))
    sheet = book["Series"]
    for row in sheet.iter_rows():
        if all(c.value is None for c in row):
            continue
        cells = [value(c.value) for c in row]
        while cells and cells[-1] == "":
            cells.pop()
        print(f"row {row[0].row}\t" + "\t".join(cells))
    for i, chart in enumerate(sheet._charts):
        s = chart.series[0]
        print(f"chart {i} series={len(chart.series)} x={s.xVal.numRef.f} y={s.yVal.numRef.f}")


if __name__ == "__main__":
    main(sys.argv[1])
