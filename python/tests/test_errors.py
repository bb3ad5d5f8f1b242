"""Each failure reaches Python as its exception with the program's message; option values
qlnx-batch refuses are refused with its words."""
import json
import math

import numpy as np
import pytest

import qlnx
from conftest import BATCH, run_batch


@pytest.mark.parametrize("text, first_line, line, suggested", [
    ("d,f\n0,0\n1,2\n", 1, 1, 2),           # a header line
    ("0,0\n1,2\n1,x\n", 1, 3, None),        # a field that is not a number
    ("0,0\n1,2\n1\n", 1, 3, None),          # a missing field
    ("0,0\n1,2,3\n", 1, 2, None),           # another number of fields
    ("0,0\n", 5, 5, None),                  # the first line past the end
], ids=["header", "not-a-number", "missing-field", "ragged", "past-end"])
def test_import_errors_carry_the_batch_tools_message_and_line(tmp_record, text, first_line, line,
                                                              suggested):
    path = tmp_record(text)
    with pytest.raises(qlnx.ImportError) as caught:
        qlnx.read(str(path), first_line=first_line)
    error = caught.value
    out, err, _ = run_batch("--json", "--first-line", first_line, path)
    batch = json.loads(out)
    assert isinstance(error, qlnx.Error)
    assert error.message == batch["message"]
    assert error.line == batch.get("line") == line
    assert error.suggested_first_line == batch.get("SuggestedFirstLine") == suggested
    assert str(error) == "\n".join(error.messages)
    assert err.startswith(str(error))


def test_import_errors_without_a_line(tmp_path, tmp_record):
    missing = tmp_path / "none.csv"
    cases = [
        (lambda: qlnx.read(str(missing)), f'Cannot open file "{missing}". No such file or directory'),
        (lambda: qlnx.read(str(tmp_record("0,0\n")), first_line=0), "First Line must large than 0!"),
        (lambda: qlnx.read(str(tmp_record("0,0\n")), step=0), "Data Import Step must not be 0!"),
        (lambda: qlnx.Record([0, 1, 2], [0, 1]), "The record has 3 displacements and 2 forces"),
        (lambda: qlnx.Record([0, 1, math.inf], [0, 1, 2]),
         "Sample 3: the displacement INF is not a finite number"),
    ]
    for call, message in cases:
        with pytest.raises(qlnx.ImportError) as caught:
            call()
        assert caught.value.message == message
        assert caught.value.line is None


def test_analysis_errors(tmp_record):
    short = qlnx.Record([0, 1, 0], [0, 1, 0])
    with pytest.raises(qlnx.AnalysisError, match="Imported Loop is less than 3 points!"):
        short.analyze()
    record = qlnx.Record(np.sin(np.linspace(0, 20, 400)), np.cos(np.linspace(0, 20, 400)))
    for step in (lambda: record.skeleton(), lambda: record.evaluate()):
        with pytest.raises(qlnx.AnalysisError, match="analyze"):
            step()
    with pytest.raises(qlnx.AnalysisError, match="Noise Band must not be negative!"):
        record.analyze(noise_band=-0.5)
    with pytest.raises(qlnx.AnalysisError, match="'nan' is not a valid floating point value"):
        record.analyze(noise_band=math.nan)
    record.analyze()
    record.skeleton()
    skeleton = record.positive_skeleton[0].copy()
    with pytest.raises(qlnx.AnalysisError, match="'inf' is not a valid floating point value"):
        record.thin(0.0, math.inf, 0.1)
    np.testing.assert_array_equal(record.positive_skeleton[0], skeleton)


@pytest.mark.parametrize("call, batch_args", [
    (lambda r: r.analyze(direction="up"), ["--direction", "up"]),
    (lambda r: r.skeleton(method="spline"), ["--method", "spline"]),
    (lambda r: r.skeleton(method=0), ["--method", "0"]),
    (lambda r: r.evaluate(ultimate_ratio=1.5), ["--ultimate-ratio", "1.5"]),
    (lambda r: r.evaluate(preset="eurocode"), ["--preset", "eurocode"]),
    (lambda r: r.evaluate(peak_point="area"), ["--peak-point", "area"]),
    (lambda r: r.evaluate(level_tolerance=-1.0), ["--level-tolerance", "-1"]),
    (lambda r: qlnx.read(r.file_name, decimal="dot"), ["--decimal", "dot"]),
    (lambda r: qlnx.read(r.file_name, columns=(2, 2)), ["--columns", "2,2"]),
], ids=["direction", "method-name", "method-number", "ultimate-ratio", "preset", "peak-point",
        "level-tolerance", "decimal", "columns"])
def test_option_values_the_batch_tool_refuses(tmp_record, call, batch_args):
    record = qlnx.read(str(tmp_record("0,0\n2,10\n-1,-5\n3,12\n-2,-8\n")))
    record.analyze()
    with pytest.raises(ValueError) as caught:
        call(record)
    _, err, status = run_batch(*batch_args, record.file_name)
    assert status == 2
    assert err.startswith(f"{BATCH}: {caught.value}\n")
    assert str(caught.value).startswith(batch_args[0] + " takes ")


def test_help_is_written_for_every_name():
    public = [getattr(qlnx, n) for n in dir(qlnx) if not n.startswith("_")]
    for item in public:
        if callable(item):
            assert item.__doc__, item
    for cls in (qlnx.Record, qlnx.Table, qlnx.Evaluation):
        for name, member in vars(cls).items():
            if not name.startswith("_"):
                assert member.__doc__, f"{cls.__name__}.{name}"
    assert "qlnx-batch" in qlnx.__doc__
