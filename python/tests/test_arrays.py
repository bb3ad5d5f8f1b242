"""Arrays view the record's vectors without copying, read-only, and stay valid while they are
held: after the record is gone and after a later step of the record."""
import gc
import json

import numpy as np
import pytest

import qlnx
from conftest import EXAMPLES

VECTORS = ["raw_disp", "raw_force", "loop_disp", "loop_force", "loop_start", "max_disp_index1",
           "max_disp_index2", "max_disp1", "max_disp2", "max_disp_force1", "max_disp_force2"]
JSON_KEYS = ["RawDisp", "RawForce", "LoopDisp", "LoopForce", "LoopStart", "MaxDispIndex1",
             "MaxDispIndex2", "MaxDisp1", "MaxDisp2", "MaxDispForce1", "MaxDispForce2"]


def address(array):
    return array.__array_interface__["data"][0]


@pytest.fixture
def record():
    r = qlnx.read(str(EXAMPLES / "rc_column_cyclic.csv"), first_line=2)
    r.analyze(direction="auto")
    r.skeleton("envelope-disp")
    return r


def test_views_share_the_records_memory_and_hold_its_values(record):
    data = json.loads(record.to_json())
    for name, key in zip(VECTORS, JSON_KEYS):
        first, second = getattr(record, name), getattr(record, name)
        assert address(first) == address(second), name
        assert np.shares_memory(first, second), name
        assert not first.flags.writeable and not first.flags.owndata, name
        assert first.dtype == (np.int32 if "start" in name or "index" in name else np.float64)
        np.testing.assert_array_equal(first, np.array(data[key], dtype=first.dtype))
        with pytest.raises(ValueError):
            first[0] = 1
    for name, key in [("positive_skeleton", "PositiveSkeleton"),
                      ("negative_skeleton", "NegativeSkeleton")]:
        d, f = getattr(record, name)
        assert address(d) == address(getattr(record, name)[0])
        np.testing.assert_array_equal(np.column_stack([d, f]), np.array(data[key]))
        assert not d.flags.writeable and not f.flags.writeable


def test_a_view_outlives_its_record(record):
    loop_disp, (skeleton_d, _) = record.loop_disp, record.positive_skeleton
    expected, expected_skeleton = loop_disp.copy(), skeleton_d.copy()
    del record
    gc.collect()
    # Other allocations of the same size would reuse freed memory.
    junk = [np.full(loop_disp.size, 7.0) for _ in range(4)]
    np.testing.assert_array_equal(loop_disp, expected)
    np.testing.assert_array_equal(skeleton_d, expected_skeleton)
    del junk


def test_a_later_step_leaves_a_held_view_as_it_was(record):
    loop_disp, skeleton = record.loop_disp, record.positive_skeleton
    expected, expected_skeleton = loop_disp.copy(), skeleton[0].copy()
    count = record.loop_count
    record.analyze(noise_band=1.0)
    record.thin(-100.0, 100.0, 1.0)
    np.testing.assert_array_equal(loop_disp, expected)
    np.testing.assert_array_equal(skeleton[0], expected_skeleton)
    assert record.positive_skeleton[0].size == 0  # the analysis cleared the skeleton
    assert record.loop_count <= count
    # Without a view held, a step changes the record in place (no copy).
    del loop_disp, skeleton
    gc.collect()
    before = address(record.raw_disp)
    record.analyze()
    assert address(record.raw_disp) == before


def test_tables_as_dicts_and_structured_arrays_hold_the_json_values(record):
    evaluation = record.evaluate(preset="jgj")
    assert record.evaluation is not None
    data = json.loads(record.to_json())["Evaluation"]
    loops = evaluation.loops
    assert len(loops) == record.loop_count == len(data["Loops"])
    rows, array = loops.to_dicts(), loops.to_numpy()
    assert list(array.dtype.names) == loops.columns == list(rows[0])
    assert array["Loop"].dtype == np.int64 and array["Complete"].dtype == np.bool_
    for row, json_row, array_row in zip(rows, data["Loops"], array):
        assert row["Energy"] == json_row["Energy"] == array_row["Energy"]
        assert [row["PosPeakDisp d"], row["PosPeakDisp F"]] == json_row["PosPeakDisp"]
        first = json_row["StrengthToFirstPos"]
        assert row["StrengthToFirstPos"] == first
        assert (np.isnan(array_row["StrengthToFirstPos"]) if first is None
                else array_row["StrengthToFirstPos"] == first)
    assert evaluation.options == {"noise_band": 0.0, "ultimate_ratio": 0.85,
                                  "peak_point": "displacement", "level_tolerance": 0.1}
    assert [t.title for t in (evaluation.loops, evaluation.levels, evaluation.skeleton)] == [
        "Loops", "Levels", "Skeleton"]
    assert evaluation.skeleton.to_numpy()["Side"].dtype == object
    # A later step makes the evaluation stale.
    record.skeleton("max-disp")
    assert record.evaluation is None

    table = record.loop_table()
    assert table.columns == ["Loop", "MaxDisp1", "MaxDisp2", "MaxDispForce1", "MaxDispForce2"]
    np.testing.assert_array_equal(table.to_numpy()["MaxDisp1"], record.max_disp1)
    assert table.to_dicts()[0]["Loop"] == 1


def test_threads_analyse_records_at_once_as_one_after_the_other():
    from concurrent.futures import ThreadPoolExecutor
    rng = np.random.default_rng(35)
    t = np.linspace(0, 40 * np.pi, 200_000)
    records = [(np.sin(t) * t * (1 + k), np.tanh(np.sin(t + 0.3)) * 50 + rng.normal(0, 0.5, t.size))
               for k in range(4)]

    def run(pair):
        r = qlnx.Record(*pair)
        r.analyze(noise_band=0.5, direction="auto")
        r.skeleton("sb")
        r.evaluate()
        return r.to_json()

    serial = [run(p) for p in records]
    with ThreadPoolExecutor(4) as pool:
        assert list(pool.map(run, records)) == serial
