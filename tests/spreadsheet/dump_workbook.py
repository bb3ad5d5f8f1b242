#!/usr/bin/python3
"""Prints what an .xlsx written by the export holds, one fact per line, for the tests.

Cells and the chart's presence come through openpyxl (an independent reader); the chart's
formatting comes from its XML part, which openpyxl does not keep in full.

  cell <ref> <type n|s|b> <python repr of the value>
  sheets <names>
  charts <count> <openpyxl chart type>
  anchor from=c<col>+<offset emu>,r<row>+<offset emu> to=<the same> (0-based cells)
  scatterStyle <val>
  ser<i> <key>=<value> ...
  axis<x|y> <key>=<value> ...
  axis<x|y> scale min=<value> max=<value> step=<majorUnit> format=<tick label format>
                                            (only for an axis with its own ends)
  legend <key>=<value> ... | legend none
  plotArea line=<...>
  title <text> | title none
  read <key>=<value> ...               (the chart as openpyxl reads it)
  read ser<i> <key>=<value> ...
"""
import sys
import zipfile
import xml.etree.ElementTree as ET

import openpyxl

NS = {
    "c": "http://schemas.openxmlformats.org/drawingml/2006/chart",
    "a": "http://schemas.openxmlformats.org/drawingml/2006/main",
    "xdr": "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing",
}


def val(el, path):
    found = el.find(path, NS)
    return None if found is None else found.get("val")


def text(el, path):
    found = el.find(path, NS)
    return None if found is None else found.text


def rich_text(el):
    return "".join(t.text or "" for t in el.iterfind(".//a:t", NS))


def line(sppr):
    """'none', a colour 'RRGGBB', 'auto', with the width in EMU when given."""
    if sppr is None:
        return "unset"
    ln = sppr.find("a:ln", NS)
    if ln is None:
        return "unset"
    if ln.find("a:noFill", NS) is not None:
        return "none"
    color = val(ln, "a:solidFill/a:srgbClr") or "auto"
    width = ln.get("w")
    return color + ("" if width is None else "/w" + width)


def font_size(el, path):
    """Font size in points of a txPr or title's rich text."""
    holder = el.find(path, NS)
    if holder is None:
        return None
    for tag in ("a:defRPr", "a:rPr"):
        run = holder.find(".//" + tag, NS)
        if run is not None and run.get("sz"):
            return str(int(run.get("sz")) / 100).rstrip("0").rstrip(".")
    return None


def read_chart(chart):
    """The chart's type, axis crossings, legend and series through openpyxl's own reader."""
    legend = chart.legend
    print("read scatterStyle={} xcrosses={} ycrosses={} legend={} overlay={}".format(
        getattr(chart, "scatterStyle", None), chart.x_axis.crosses, chart.y_axis.crosses,
        None if legend is None else legend.position,
        None if legend is None else legend.overlay))
    for i, ser in enumerate(chart.series):
        name = ser.tx.strRef.f if ser.tx is not None and ser.tx.strRef is not None else None
        marker = None if ser.marker is None else ser.marker.symbol
        ln = None if ser.spPr is None else ser.spPr.ln
        drawn = "unset" if ln is None else ("none" if ln.noFill else "line")
        print(f"read ser{i} name={name} marker={marker} line={drawn} smooth={ser.smooth}")


def main(path):
    book = openpyxl.load_workbook(path)
    print("sheets " + ",".join(book.sheetnames))
    sheet = book["Sheet1"]
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is not None:
                print(f"cell {cell.coordinate} {cell.data_type} {cell.value!r}")
    charts = sheet._charts
    print(f"charts {len(charts)} {' '.join(type(c).__name__ for c in charts)}")
    for chart in charts:
        read_chart(chart)

    with zipfile.ZipFile(path) as z:
        names = z.namelist()
        drawing = [n for n in names if n.startswith("xl/drawings/drawing")]
        for name in drawing:
            d = ET.fromstring(z.read(name))
            for anchor in d:
                ends = []
                for end in ("xdr:from", "xdr:to"):
                    e = anchor.find(end, NS)
                    ends.append("c{}+{},r{}+{}".format(
                        text(e, "xdr:col"), text(e, "xdr:colOff"), text(e, "xdr:row"),
                        text(e, "xdr:rowOff")))
                print("anchor from={} to={}".format(*ends))
        for name in sorted(n for n in names if n.startswith("xl/charts/chart")):
            cs = ET.fromstring(z.read(name))
            chart = cs.find("c:chart", NS)
            plot = chart.find("c:plotArea", NS)
            scatter = plot.find("c:scatterChart", NS)
            print("scatterStyle " + str(val(scatter, "c:scatterStyle")))
            for i, ser in enumerate(scatter.iterfind("c:ser", NS)):
                name_ref = text(ser, "c:tx/c:strRef/c:f")
                name_lit = text(ser, "c:tx/c:v")
                marker = ser.find("c:marker", NS)
                fields = [
                    "name=" + (name_ref if name_ref is not None else "'" + str(name_lit) + "'"),
                    "x=" + str(text(ser, "c:xVal/c:numRef/c:f")),
                    "y=" + str(text(ser, "c:yVal/c:numRef/c:f")),
                    "smooth=" + str(val(ser, "c:smooth")),
                    "line=" + line(ser.find("c:spPr", NS)),
                ]
                if marker is not None:
                    fields.append("marker=" + str(val(marker, "c:symbol")))
                    fields.append("markerSize=" + str(val(marker, "c:size")))
                    fields.append("markerFill=" + str(val(marker, "c:spPr/a:solidFill/a:srgbClr")))
                    fields.append("markerLine=" + line(marker.find("c:spPr", NS)))
                print(f"ser{i} " + " ".join(fields))
            for ax in plot.iterfind("c:valAx", NS):
                pos = val(ax, "c:axPos")
                which = "x" if pos in ("b", "t") else "y"
                title = ax.find("c:title", NS)
                fields = [
                    "title=" + ("none" if title is None else "'" + rich_text(title) + "'"),
                    "titleSize=" + str(None if title is None else font_size(title, "c:tx/c:rich")),
                    "tickLabelSize=" + str(font_size(ax, "c:txPr")),
                    "crossesAt=" + str(val(ax, "c:crossesAt")),
                    "majorTick=" + str(val(ax, "c:majorTickMark")),
                    "line=" + line(ax.find("c:spPr", NS)),
                ]
                print(f"axis{which} " + " ".join(fields))
                lo, hi = val(ax, "c:scaling/c:min"), val(ax, "c:scaling/c:max")
                if lo is not None or hi is not None:
                    fmt = ax.find("c:numFmt", NS)
                    code = None if fmt is None else fmt.get("formatCode")
                    print(f"axis{which} scale min={lo} max={hi} step={val(ax, 'c:majorUnit')} "
                          f"format={code}")
            legend = chart.find("c:legend", NS)
            if legend is None:
                print("legend none")
            else:
                print("legend pos={} overlay={} size={}".format(
                    val(legend, "c:legendPos"), val(legend, "c:overlay"),
                    font_size(legend, "c:txPr")))
            print("plotArea line=" + line(plot.find("c:spPr", NS)))
            title = chart.find("c:title", NS)
            if title is None:
                print("title none autoTitleDeleted=" + str(val(chart, "c:autoTitleDeleted")))
            else:
                print("title '" + rich_text(title) + "'")


if __name__ == "__main__":
    main(sys.argv[1])
