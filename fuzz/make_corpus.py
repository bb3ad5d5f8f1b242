#!/usr/bin/env python3
"""Writes the seed corpus of the two fuzz targets into fuzz/corpus/<target>/.

The seeds are the example records (cut short) and the small files and curves of the core
tests, each put into the input layout its target expects (see the head of each target's
source). Run from anywhere; the folders are emptied and written again.
"""
import math
import pathlib
import struct

FUZZ = pathlib.Path(__file__).resolve().parent
EXAMPLES = FUZZ.parent / "examples"

# ---- fuzz_curve_import: flags, first line and step (int32 LE each), options, then the file ----

DECIMAL_MODES = {"auto": 0, "point": 1, "comma": 2}


def import_seed(text, first=1, step=1, comma=False, stop_at=None, decimal="auto", columns=(1, 2)):
    """Small first line (-2..29) and step (-8..7) go into the short form, others raw.
    stop_at: follow the reading with a progress callback that stops at that call (0 never).
    decimal and columns (1..4 each) are the import options."""
    small_first = -2 <= first <= 29
    small_step = -8 <= step <= 7
    flags = (0 if small_first else 1) | (0 if small_step else 2) | (4 if comma else 0)
    if stop_at is not None:
        flags |= 8 | (stop_at << 4)
    first_field = struct.pack("<i", first + 2 if small_first else first)
    step_field = struct.pack("<i", step + 8 if small_step else step)
    data = text if isinstance(text, bytes) else text.encode("latin-1")
    options = DECIMAL_MODES[decimal] | ((columns[0] - 1) << 2) | ((columns[1] - 1) << 4)
    return bytes([flags]) + first_field + step_field + bytes([options]) + data


def head_lines(path, count):
    with open(path, "rb") as f:
        return b"".join(f.readline() for _ in range(count))


def utf16(text, big_endian):
    return (b"\xfe\xff" if big_endian else b"\xff\xfe") + text.encode(
        "utf-16-be" if big_endian else "utf-16-le", "surrogatepass")


def import_seeds():
    rc = EXAMPLES / "rc_column_cyclic.csv"
    damper = EXAMPLES / "steel_damper_cyclic.txt"
    rc_head = head_lines(rc, 60)
    damper_head = head_lines(damper, 60)
    decimal_commas = b"".join(
        b'"' + d.replace(b".", b",") + b'"\t"' + f.replace(b".", b",") + b'"\r\n'
        for d, f in (line.split(b"\t") for line in damper_head.split(b"\n")[:30] if line))
    return {
        # The example records, cut to their first lines.
        "rc_column_skip_header": import_seed(rc_head, 2, 1),
        "rc_column_header_as_data": import_seed(rc_head[:600], 1, 1),
        "rc_column_step_3": import_seed(rc_head, 2, 3),
        "rc_column_upwards": import_seed(rc_head[:1200], 30, -4),
        "steel_damper_tabs": import_seed(damper_head, 1, 1),
        "steel_damper_step_7": import_seed(damper_head, 1, 7),
        "steel_damper_huge_parameters": import_seed(damper_head[:400], 2**31 - 1, -2**31),
        "steel_damper_decimal_commas": import_seed(decimal_commas, 1, 1, comma=True),
        # Followed by a progress callback: never stopped, stopped while loading, while
        # reading the rows, and at the closing report.
        "progress_to_the_end": import_seed(rc_head[:300], 2, 1, stop_at=0),
        "stop_while_loading": import_seed(rc_head[:300], 2, 1, stop_at=1),
        "stop_at_first_row": import_seed(rc_head[:300], 2, 1, stop_at=3),
        "stop_too_late": import_seed(rc_head[:300], 2, 1, stop_at=4),
        # Layouts and encodings of the import tests.
        "three_rows": import_seed("0,0\n1,10\n2,15\n"),
        "blanks_and_tabs": import_seed("  0    0\n1\t10  \n2 ,\t15\n"),
        "cr_lf_and_lone_cr": import_seed("0,0\r\n1,10\r2,15\r\n\r3,4"),
        "quoted_fields": import_seed('"1","-2.5e1"\n" 1 ","\t2 "\n"1""2",3\n1,"25\n'),
        "signs_and_exponents": import_seed("+1.,-.5\n1E2,2e-1\n-0,1.5e+3\n"),
        "extreme_values": import_seed("1e308,1e-320\n-1.7976931348623157e308,4.9e-324\n"
                                      "1e309,0\n1e-400,0\n" + "0" * 40 + "1e-330,1\n"),
        "thousands_and_units": import_seed('1,234.5,10\n"1,234.5",10\n1\'234.5,10\n1mm,10kN\n'),
        "blank_line_inside": import_seed("0,0\n1,10\n\n2,15\n"),
        "one_field_rows": import_seed("0,0\n1.5\n1.5,\n2,15\n"),
        "header_and_semicolons": import_seed("Disp,Force\n0;0\n1;10\n", 2, 1),
        "upwards_to_line_1": import_seed("1,1\n2,2\n3,3\n4,4\n5,5\n6,6\n7,7\n", 7, -3),
        "first_line_zero": import_seed("0,0\n1,1\n", 0, 1),
        "step_zero": import_seed("0,0\n1,1\n", 1, 0),
        "utf8_mark": import_seed(b"\xef\xbb\xbf0,0\n1,10\n\xc3\xa9,1\n"),
        "utf8_mark_malformed": import_seed(b"\xef\xbb\xbf0,0\n\xc3\x28,1\n\xed\xa0\x80\n"),
        "utf16_le_mark": import_seed(utf16("0,0\r\n1,10\r\n\U0001F600,1\n", False)),
        "utf16_be_mark": import_seed(utf16("0,0\n1,10\n\ud800,1\n", True) + b"\x00"),
        "latin1_text": import_seed(b"0,0\n\xb5m,3\n"),
        "binary_file": import_seed(b"\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\x00\x00"),
        "nul_bytes": import_seed(b"0,0\n1,\x00\n\x00\"'\x00\x011\x01\n", 1, 1),
        "empty_file": import_seed(b""),
        "line_break_only": import_seed(b"\n"),
        # The files real labs write.
        "tabs_and_decimal_commas": import_seed("Zeit\tWeg\tKraft\n0,0\t0,1045\t1,6420\n0,1\t-0,2\t-3,5\n", 2, 1,
                                               columns=(2, 3)),
        "semicolons_decimal_commas": import_seed("0,1045;1,6420\r\n2;3\r\n\r\n\r\n"),
        "semicolons_point_chosen": import_seed("0.5;1.5\n2.5;3.5\n", decimal="point"),
        "blanks_comma_chosen": import_seed("1,5 2,5\n3 4\n", decimal="comma"),
        "thousands_ragged": import_seed("0.0,0.0\n104.5,1,642.0\n0.0\t0.0\n"),
        "force_before_displacement": import_seed("5,0.1,9\n6,0.2,9\n", columns=(2, 1)),
        "same_columns": import_seed("0,0\n", columns=(2, 2)),
        "header_then_data": import_seed("a,b\nmm,kN\n0,0\n1,1\n\n  \n"),
        "utf16_le_no_mark": import_seed("0,0\r\n1,10\r\n".encode("utf-16-le")),
        "utf16_be_no_mark": import_seed("0;0,5\n1;1,5\n".encode("utf-16-be")),
        "long_field": import_seed("0,0\n" + "7" * 300 + "x,1\n"),
    }


# ---- fuzz_analysis: mode, range ends and tolerance (palette nibbles), then the points ----

# Indices into the target's palette: 0, -0, 1, -1, 2, -2, 3, 0.5, 1e308, -1e308, inf, -inf,
# NaN, 5e-324, -DBL_MAX, 1e-300.
NEG_ZERO, NAN, TINY = 1, 12, 13


def analysis_seed(points, mode=0, lo=5, hi=4, tol=7):
    """mode 0: raw doubles; 1: small integers -8..7; 2: palette indices given directly.
    lo, hi and tol are palette indices (default: range -2..2, tolerance 0.5)."""
    head = bytes([mode, (hi << 4) | lo, tol])
    if mode == 0:
        return head + b"".join(struct.pack("<dd", d, f) for d, f in points)
    if mode == 1:
        return head + bytes(b for d, f in points for b in ((int(d) + 8) & 15, (int(f) + 8) & 15))
    return head + bytes(b for pair in points for b in pair)


def record_points(path, step, count, skip_header):
    rows = []
    with open(path) as f:
        lines = f.read().splitlines()[1 if skip_header else 0:]
    for line in lines[::step][:count]:
        d, f = line.replace("\t", ",").split(",")[:2]
        rows.append((float(d), float(f)))
    return rows


def analysis_seeds():
    rc = EXAMPLES / "rc_column_cyclic.csv"
    damper = EXAMPLES / "steel_damper_cyclic.txt"
    part_example = [(0, 0), (2, 10), (-1, -5), (3, 12), (3, 12), (-2, -8)]
    skeleton_example = list(zip(
        [0, 1, 2, 1, 0, -1, -2, -1, 0, 2, 3, 4, 1, 0, -3, -4, -1, 0],
        [0, 10, 15, 5, -2, -10, -14, -4, 3, 16, 20, 18, 6, -3, -18, -17, -5, 2]))
    inf, nan = math.inf, math.nan
    return {
        # The example records: all cycles thinned out, and the first cycles in full.
        "rc_column_decimated": analysis_seed(record_points(rc, 15, 195, True)),
        "rc_column_first_cycles": analysis_seed(record_points(rc, 1, 195, True)),
        "steel_damper_decimated": analysis_seed(record_points(damper, 16, 195, False)),
        "steel_damper_first_cycles": analysis_seed(record_points(damper, 1, 195, False), 0, 3, 2, 13),
        # Curves of the analysis and skeleton tests.
        "loop_worked_example": analysis_seed(part_example),
        "skeleton_worked_example": analysis_seed(skeleton_example),
        "exact_zeros": analysis_seed([(0, 0), (1, 5), (0, 1), (-1, -5), (0, 0)], 1),
        "never_returns": analysis_seed([(0, 0), (1, 1), (2, 2), (3, 3)], 1),
        "ends_on_crossing": analysis_seed([(0, 0), (1, 1), (0, 0), (-1, -1), (0, 0), (1, 1), (0, 0)], 1),
        "turn_on_last_point": analysis_seed([(0, 0), (1, 1), (2, 2), (0, 0)], 1),
        "repeats_and_ties": analysis_seed([(0, 0), (2, 1), (2, 1), (2, 5), (-2, -1), (-2, -5), (0, 0), (1, 1)], 1),
        "reference_not_zero": analysis_seed([(0.5, 0), (1.5, 10), (-0.5, -10), (0.5, 0), (2, 3)]),
        "one_side_of_zero": analysis_seed([(5, 0), (7, 10), (5, 0), (3, -10), (5, 0)], 1),
        "three_points": analysis_seed([(0, 0), (1, 1), (-1, -1)], 1),
        "growing_cycles_small": analysis_seed(
            [(0, 0), (1, 2), (2, 3), (0, -1), (-2, -3), (0, 1), (3, 5), (4, 6), (0, -2), (-4, -6), (0, 0)], 1),
        # Non-finite and extreme values.
        "nan_and_infinities": analysis_seed(
            [(0, 0), (1, nan), (inf, 2), (-1, -inf), (0, 0), (nan, nan), (-inf, 1), (2, 3)]),
        "nan_reference": analysis_seed([(nan, 0), (1, 1), (-1, -1), (nan, 2), (0, 0)]),
        "huge_values": analysis_seed([(0, 0), (1e308, 1e308), (-1e308, -1e308), (1.7976931348623157e308, 0),
                                      (-5e-324, 5e-324), (0, -0.0)]),
        "palette_mix": analysis_seed([(0, 0), (2, 4), (NEG_ZERO, 0), (10, NAN), (3, 11), (0, TINY),
                                      (9, 8), (NAN, 2), (0, 0)], 2, 9, 8, NAN),
    }


def write(target, seeds):
    folder = FUZZ / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    for name, data in seeds.items():
        (folder / name).write_bytes(data)
    print(f"{target}: {len(seeds)} seeds, {sum(map(len, seeds.values()))} bytes")


if __name__ == "__main__":
    write("fuzz_curve_import", import_seeds())
    write("fuzz_analysis", analysis_seeds())
