#!/usr/bin/python3
"""Prints what the evaluation workbook holds, one fact per line, for the GUI tests.

  sheets <names>
  row <n> <cell values of row n, tab-separated; empty cells empty> (every non-empty row)
  chart <i> title=<text> x=<range> y=<range> xaxis=<title> yaxis=<title>
"""
import sys

import openpyxl


def text_of(title):
    if title is None or title.tx is None or title.tx.rich is None:
        return ""
    return "".join(r.t for p in title.tx.rich.p for r in (p.r or []))


def value(v):
    if v is None:
        return ""
    if isinstance(v, bool):
        return "true" if v else "false"
    if isinstance(v, float):
        return repr(v)
    return str(v)


def main(path):
    book = openpyxl.load_workbook(path)
    print("sheets " + ",".join(book.sheetnames))
    sheet = book["Evaluation"]
    for row in sheet.iter_rows():
        if all(c.value is None for c in row):
            continue
        cells = [value(c.value) for c in row]
        while cells and cells[-1] == "":
            cells.pop()
        print(f"row {row[0].row}\t" + "\t".join(cells))
    for i, chart in enumerate(sheet._charts):
        s = chart.series[0]
        print(f"chart {i} title={text_of(chart.title)} x={s.xVal.numRef.f} y={s.yVal.numRef.f} "
              f"xaxis={text_of(chart.x_axis.title)} yaxis={text_of(chart.y_axis.title)}")


if __name__ == "__main__":
    main(sys.argv[1])
