"""Shared fixtures of the qlnx module's tests: where the built module, qlnx-batch and the
records are (ctest passes them in the environment; run by hand from the source tree they are
taken from build/)."""
import os
import pathlib
import subprocess
import sys

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, os.environ.get("PYTHONPATH", str(ROOT / "build" / "python")))

BATCH = os.environ.get("QLNX_BATCH", str(ROOT / "build" / "src" / "cli" / "qlnx-batch"))
EXAMPLES = pathlib.Path(os.environ.get("QLNX_EXAMPLES", ROOT / "examples"))
SHARED_DATA = pathlib.Path(os.environ.get("QLNX_SHARED_DATA", ROOT.parent / "shared" / "data"))

# The records the module is compared on, with the line their data start at.
RECORDS = [
    (EXAMPLES / "rc_column_cyclic.csv", 2),
    (EXAMPLES / "steel_damper_cyclic.txt", 1),
    (SHARED_DATA / "clt_wall_TS1_shear.csv", 1),
    (SHARED_DATA / "clt_connection_trial2.csv", 3),
    (SHARED_DATA / "friction_damper_1Hz30lb1in.csv", 2),
]


def record_params():
    """One pytest parameter per record, skipped when the real records are not beside the tree."""
    return [
        pytest.param(path, first, id=path.name,
                     marks=pytest.mark.skipif(not path.exists(), reason=f"{path} not here"))
        for path, first in RECORDS
    ]


def run_batch(*args):
    """qlnx-batch with the arguments: its standard output, standard error and exit status."""
    done = subprocess.run([BATCH, *map(str, args)], capture_output=True, text=True, check=False)
    return done.stdout, done.stderr, done.returncode


@pytest.fixture
def tmp_record(tmp_path):
    """Writes a small record file and returns its path."""
    def write(text, name="record.csv"):
        path = tmp_path / name
        path.write_text(text)
        return path
    return write
