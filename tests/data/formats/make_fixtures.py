#!/usr/bin/python3
"""Writes the small workbook and LabVIEW fixtures of the format tests and their CSV twins.

Run once with python3-openpyxl and python3-xlwt installed; the files it writes are committed,
and the tests need neither. The .ods, the .xlsm and the .lvm are written by hand (zipfile and
plain text), so that they hold what other writers put there: repeated rows and cells, covered
cells, inline strings, a decimal comma, two segments.
"""
import os
import zipfile

import openpyxl
import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))

# The record every workbook holds, as its CSV twin writes it: None is an empty cell.
META = [("Specimen", "W1"), ("Operator", "lab")]
NAMES = ["Time", "Disp", "Force"]
UNITS = ["s", "mm", "kN"]
ROWS = [
    [0.0, 0.0, 0.0],
    [0.1, 0.1, 1.5],
    [0.2, 0.30000000000000004, -3.25],
    [0.3, 1 / 3, 2.718281828459045],
    [None, -1e-07, 123456.789],
    [0.5, -2.5, -0.001],
    [0.6, 7.0, 12.0],
]
TEXT_CELL = (2, 1)  # row, column of the number written as text


def num(v):
    return "" if v is None else repr(v)


def write_twin(name, meta, names, units, rows):
    with open(os.path.join(HERE, name), "w", newline="\n") as f:
        for k, v in meta:
            f.write(f"{k},{v}\n")
        f.write(",".join(names) + "\n")
        f.write(",".join(units) + "\n")
        for r in rows:
            f.write(",".join(num(v) for v in r) + "\n")


def write_xlsx():
    wb = openpyxl.Workbook()
    notes = wb.active
    notes.title = "Notes"
    notes["A1"] = "Cyclic test of wall W1"
    ws = wb.create_sheet("Test 1")
    for k, v in META:
        ws.append([k, v])
    ws.append(NAMES)
    ws.append(UNITS)
    for i, r in enumerate(ROWS):
        cells = list(r)
        if i == TEXT_CELL[0]:
            cells[TEXT_CELL[1]] = repr(cells[TEXT_CELL[1]])
        ws.append(cells)
    other = wb.create_sheet("Test 2")
    other.append(["Disp", "Force"])
    other.append([1.25, 2.5])
    other.append([-1.25, -2.5])
    wb.save(os.path.join(HERE, "record.xlsx"))

    # A header whose name spans two columns (merged), over a unit row.
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Merged"
    ws.append(["Time", "Displacement", None, "Force"])
    ws.merge_cells("B1:C1")
    ws.append(["s", "mm", "mm", "kN"])
    ws.append([0.0, 0.5, 0.25, 1.0])
    ws.append([0.1, -0.5, -0.25, -1.0])
    wb.save(os.path.join(HERE, "merged.xlsx"))
    write_twin("merged.csv", [], ["Time", "Displacement", "Displacement", "Force"],
               ["s", "mm", "mm", "kN"], [[0.0, 0.5, 0.25, 1.0], [0.1, -0.5, -0.25, -1.0]])


def xml_text(s):
    return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")


def write_xlsm():
    """A macro-enabled workbook with inline strings, cells without references and a sheet in
    another folder than the usual one."""
    def col(c):
        return "ABCDEFGHIJ"[c]

    rows = []
    n = 1
    for k, v in META:
        rows.append(f'<row r="{n}"><c r="A{n}" t="inlineStr"><is><t>{k}</t></is></c>'
                    f'<c r="B{n}" t="inlineStr"><is><r><t>{v[:1]}</t></r><r><t>{v[1:]}</t></r></is></c></row>')
        n += 1
    for line in (NAMES, UNITS):
        cells = "".join(f'<c t="inlineStr"><is><t>{xml_text(x)}</t></is></c>' for x in line)
        rows.append(f'<row r="{n}">{cells}</row>')
        n += 1
    for i, r in enumerate(ROWS):
        cells = ""
        for c, v in enumerate(r):
            if v is None:
                continue
            if (i, c) == TEXT_CELL:
                cells += f'<c r="{col(c)}{n}" t="str"><f>TEXT(0.3,"0.00")</f><v>{repr(v)}</v></c>'
            else:
                cells += f'<c r="{col(c)}{n}" s="1"><v>{repr(v)}</v></c>'
        rows.append(f'<row r="{n}">{cells}</row>')
        n += 1
    sheet = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
             '<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
             '<x:sheetData>' + "".join(rows).replace("<row", "<x:row").replace("</row", "</x:row")
             + '</x:sheetData></x:worksheet>')
    # Elements in a prefixed namespace throughout: the reader goes by local names.
    sheet = sheet.replace("<c ", "<x:c ").replace("</c>", "</x:c>").replace("<c>", "<x:c>")
    sheet = sheet.replace("<v>", "<x:v>").replace("</v>", "</x:v>")
    sheet = sheet.replace("<is>", "<x:is>").replace("</is>", "</x:is>")
    sheet = sheet.replace("<t>", "<x:t>").replace("</t>", "</x:t>")
    sheet = sheet.replace("<r>", "<x:r>").replace("</r>", "</x:r>")
    sheet = sheet.replace("<f>", "<x:f>").replace("</f>", "</x:f>")
    types = ('<?xml version="1.0" encoding="UTF-8"?>'
             '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
             '<Default Extension="xml" ContentType="application/xml"/>'
             '<Override PartName="/book/main.xml" ContentType="application/vnd.ms-excel.sheet.macroEnabled.main+xml"/>'
             '<Override PartName="/book/data/s1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
             '</Types>')
    book = ('<?xml version="1.0" encoding="UTF-8"?>'
            '<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
            'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
            '<sheets><sheet name="Run" sheetId="1" r:id="rId7"/></sheets></workbook>')
    rels = ('<?xml version="1.0" encoding="UTF-8"?>'
            '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            '<Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="data/s1.xml"/>'
            '</Relationships>')
    with zipfile.ZipFile(os.path.join(HERE, "record.xlsm"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", types)
        z.writestr("book/main.xml", book)
        z.writestr("book/_rels/main.xml.rels", rels)
        z.writestr("book/data/s1.xml", sheet)


def write_ods():
    """An OpenDocument spreadsheet as office suites write one: a text-only sheet first,
    repeated empty cells and rows, a row written once with a repeat count, values whose shown
    text is rounded, a covered cell, spaces as text:s."""
    def cell(v, shown=None):
        if v is None:
            return '<table:table-cell/>'
        if isinstance(v, str):
            return f'<table:table-cell office:value-type="string"><text:p>{xml_text(v)}</text:p></table:table-cell>'
        return (f'<table:table-cell office:value-type="float" office:value="{repr(v)}">'
                f'<text:p>{shown if shown is not None else "%.2f" % v}</text:p></table:table-cell>')

    def row(cells, repeat=1):
        attr = f' table:number-rows-repeated="{repeat}"' if repeat > 1 else ""
        return f'<table:table-row{attr}>' + "".join(cells) + \
            '<table:table-cell table:number-columns-repeated="1020"/></table:table-row>'

    body = []
    body.append('<table:table table:name="Notes"><table:table-column table:number-columns-repeated="2"/>'
                + row(['<table:table-cell office:value-type="string"><text:p>Cyclic<text:s text:c="2"/>test</text:p></table:table-cell>'])
                + '<table:table-row table:number-rows-repeated="1048575"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>'
                + '</table:table>')
    t = ['<table:table table:name="Test 1">']
    for k, v in META:
        t.append(row([cell(k), cell(v)]))
    t.append(row([cell(x) for x in NAMES]))
    t.append(row([cell(x) for x in UNITS]))
    rows = list(ROWS)
    for i, r in enumerate(rows):
        cells = []
        for c, v in enumerate(r):
            if (i, c) == TEXT_CELL:
                cells.append(cell(repr(v)))
            else:
                cells.append(cell(v))
        if i == len(rows) - 1:
            # The last row twice, written once with a repeat count.
            t.append(row(cells, 2))
        else:
            t.append(row(cells))
    t.append('<table:table-row table:number-rows-repeated="1048000"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>')
    t.append('</table:table>')
    body.append("".join(t))
    content = ('<?xml version="1.0" encoding="UTF-8"?>'
               '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
               'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
               'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.3">'
               '<office:body><office:spreadsheet>' + "".join(body) +
               '</office:spreadsheet></office:body></office:document-content>')
    manifest = ('<?xml version="1.0" encoding="UTF-8"?>'
                '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.3">'
                '<manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>'
                '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
                '</manifest:manifest>')
    with zipfile.ZipFile(os.path.join(HERE, "record.ods"), "w") as z:
        z.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet", zipfile.ZIP_STORED)
        z.writestr("content.xml", content, zipfile.ZIP_DEFLATED)
        z.writestr("META-INF/manifest.xml", manifest, zipfile.ZIP_DEFLATED)
    write_twin("record_ods.csv", META, NAMES, UNITS, ROWS + [ROWS[-1]])


def write_xls():
    wb = xlwt.Workbook()
    notes = wb.add_sheet("Notes")
    notes.write(0, 0, "Cyclic test of wall W1")
    ws = wb.add_sheet("Test 1")
    n = 0
    for k, v in META:
        ws.write(n, 0, k)
        ws.write(n, 1, v)
        n += 1
    for line in (NAMES, UNITS):
        for c, x in enumerate(line):
            ws.write(n, c, x)
        n += 1
    for i, r in enumerate(ROWS):
        for c, v in enumerate(r):
            if v is None:
                continue
            ws.write(n, c, repr(v) if (i, c) == TEXT_CELL else v)
        n += 1
    wb.save(os.path.join(HERE, "record.xls"))


def write_lvm():
    """Two segments, tab-separated, decimal comma, the X column first, a comment column."""
    def fmt(v):
        return repr(v).replace(".", ",")

    head = ("LabVIEW Measurement\t\nWriter_Version\t2\nReader_Version\t2\nSeparator\tTab\n"
            "Decimal_Separator\t,\nMulti_Headings\tNo\nX_Columns\tOne\nTime_Pref\tRelative\n"
            "Operator\tlab\nDate\t2024/05/17\nTime\t10:22:31,5\n***End_of_Header***\t\n\n")
    seg = ("Channels\t2\t\nSamples\t{n}\t{n}\t\nDate\t2024/05/17\t2024/05/17\t\n"
           "Y_Unit_Label\tmm\tkN\t\nX_Dimension\tTime\tTime\t\nX0\t0,0E+0\t0,0E+0\t\n"
           "Delta_X\t0,1\t0,1\t\n***End_of_Header***\t\t\t\nX_Value\tDisp\tForce\tComment\n")
    rows = [r for r in ROWS if r[0] is not None]
    first, second = rows[:3], rows[3:]
    text = head
    for part in (first, second):
        text += seg.format(n=len(part))
        for r in part:
            text += "\t".join(fmt(v) for v in r) + "\t\n"
        text += "\n"
    with open(os.path.join(HERE, "record.lvm"), "w", newline="\n") as f:
        f.write(text)
    write_twin("record_lvm.csv", [], NAMES, UNITS, rows)


def write_unit_rows():
    """A name row and a separate unit row wider than the numbers below them: the last two named
    columns (a channel not recorded, a remark) hold no number. The twin is the sheet as a
    spreadsheet application exports it to CSV, every row as wide as the used range."""
    title = ["Specimen", "W2"]
    names = ["Time", "Disp", "Force", "Stroke", "Remark"]
    units = ["s", "mm", "kN", "mm", None]
    rows = [[0.0, 0.0, 0.0], [0.5, 1.25, -2.5], [1.0, -0.75, 3.0625]]
    width = len(names)

    def padded(r):
        return list(r) + [None] * (width - len(r))

    with open(os.path.join(HERE, "unit_rows.csv"), "w", newline="\n") as f:
        for r in [title, names, units] + rows:
            f.write(",".join("" if v is None else v if isinstance(v, str) else repr(v)
                             for v in padded(r)) + "\n")
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Units"
    for r in [title, names, units] + rows:
        ws.append(r)
    wb.save(os.path.join(HERE, "unit_rows.xlsx"))
    book = xlwt.Workbook()
    sheet = book.add_sheet("Units")
    for n, r in enumerate([title, names, units] + rows):
        for c, v in enumerate(r):
            if v is not None:
                sheet.write(n, c, v)
    book.save(os.path.join(HERE, "unit_rows.xls"))

    def cell(v):
        if v is None:
            return '<table:table-cell/>'
        if isinstance(v, str):
            return f'<table:table-cell office:value-type="string"><text:p>{xml_text(v)}</text:p></table:table-cell>'
        return f'<table:table-cell office:value-type="float" office:value="{repr(v)}"><text:p>{v}</text:p></table:table-cell>'

    table = '<table:table table:name="Units">' + "".join(
        '<table:table-row>' + "".join(cell(v) for v in r) +
        '<table:table-cell table:number-columns-repeated="1019"/></table:table-row>'
        for r in [title, names, units] + rows) + '</table:table>'
    content = ('<?xml version="1.0" encoding="UTF-8"?>'
               '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
               'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
               'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.3">'
               '<office:body><office:spreadsheet>' + table +
               '</office:spreadsheet></office:body></office:document-content>')
    with zipfile.ZipFile(os.path.join(HERE, "unit_rows.ods"), "w") as z:
        z.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet", zipfile.ZIP_STORED)
        z.writestr("content.xml", content, zipfile.ZIP_DEFLATED)


write_twin("record.csv", META, NAMES, UNITS, ROWS)
write_xlsx()
write_xlsm()
write_ods()
write_xls()
write_lvm()
write_unit_rows()
