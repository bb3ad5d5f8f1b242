"""The module's JSON is the batch tool's for the same steps and options, on the examples and
the real records, for every skeleton method, with and without the noise band and the
evaluation."""
import pytest

import qlnx
from conftest import record_params, run_batch


def band_of(path, first_line):
    """A noise band of 1 % of the record's displacement range."""
    d = qlnx.read(str(path), first_line=first_line).raw_disp
    return 0.01 * float(d.max() - d.min())


@pytest.mark.parametrize("path, first_line", record_params())
@pytest.mark.parametrize("with_band", [False, True], ids=["no-band", "band"])
def test_every_method_with_and_without_evaluation(path, first_line, with_band):
    band = band_of(path, first_line) if with_band else 0.0
    for method in (None, *qlnx.SKELETON_METHODS):
        for evaluate in (False, True):
            args = ["--json", "--first-line", first_line, "--noise-band", repr(band)]
            record = qlnx.read(str(path), first_line=first_line)
            record.analyze(noise_band=band)
            if method:
                args += ["--method", method]
                record.skeleton(method=method)
            if evaluate:
                args += ["--evaluate"]
                record.evaluate()
            out, err, status = run_batch(*args, path)
            assert status == 0, err
            assert record.to_json() == out, (method, evaluate)


@pytest.mark.parametrize("path, first_line", record_params())
def test_options_of_every_step(path, first_line):
    """Direction, outward test, thinning and the evaluation's options reach both alike."""
    cases = [
        (dict(direction="auto"), dict(method="max-force", keep_disp_increasing=True), None,
         dict(preset="en12512", peak_point="force")),
        (dict(direction="negative"), dict(method=5), (-1.0, 1.0, 0.5),
         dict(preset="astm", ultimate_ratio=0.7, level_tolerance=0.25)),
        (dict(direction="positive"), dict(method="envelope-force", keep_increasing=True),
         (0.5, 1e9, 2.0), dict(peak_point="displacement", ultimate_ratio=1.0)),
    ]
    for analyze, skeleton, thin, evaluate in cases:
        record = qlnx.read(str(path), first_line=first_line)
        record.analyze(**analyze)
        record.skeleton(**skeleton)
        args = ["--json", "--first-line", first_line, "--direction", analyze["direction"],
                "--method", skeleton["method"]]
        if skeleton.get("keep_disp_increasing") or skeleton.get("keep_increasing"):
            args.append("--keep-disp-increasing")
        if thin:
            record.thin(*thin)
            args += ["--thin", *map(repr, thin)]
        record.evaluate(**evaluate)
        args.append("--evaluate")
        for key, value in evaluate.items():
            args += ["--" + key.replace("_", "-"), repr(value) if isinstance(value, float) else value]
        out, err, status = run_batch(*args, path)
        assert status == 0, err
        assert record.to_json() == out, (analyze, skeleton, thin, evaluate)


def test_a_partial_import_carries_the_batch_tools_message_and_line(tmp_record):
    path = tmp_record("0,0\n2,10\n-1,-5\n3,12\n-2,-8\n1,zz\n4,1\n")
    record = qlnx.read(str(path), partial=True)
    record.analyze()
    out, _, status = run_batch("--json", path)
    assert status == 1
    assert record.to_json() == out
    assert record.messages[0] == "'zz' is not a valid floating point value"


def test_a_record_from_arrays_is_the_file_of_the_same_rows(tmp_record):
    path = tmp_record("".join(f"{d!r},{f!r}\n" for d, f in
                              [(0.0, 0.0), (2.5, 10.0), (-1.25, -5.5), (3.0, 12.0), (-2.0, -8.0),
                               (0.1, 1.0), (4.0, 15.0), (-4.0, -15.0), (0.0, 0.0)]))
    from_file = qlnx.read(str(path))
    from_arrays = qlnx.Record(from_file.raw_disp.tolist(), list(from_file.raw_force))
    for record in (from_file, from_arrays):
        record.analyze(direction="auto")
        record.skeleton("sb")
        record.evaluate()
    assert from_arrays.to_json() == from_file.to_json()
