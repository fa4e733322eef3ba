"""Fixtures: the bundled dictionaries, and orvalen-find to compare with.

The tests import the orvalen package from PYTHONPATH (the build tree's
python/ folder, or an installed one) and run the orvalen-find program that
ORVALEN_FIND names.
"""

import os
import subprocess

import pytest

import orvalen


@pytest.fixture(scope="session")
def gb2312():
    return orvalen.Dictionary.bundled("gb2312")


@pytest.fixture(scope="session")
def gbk():
    return orvalen.Dictionary.bundled("gbk")


@pytest.fixture(scope="session")
def orvalen_find():
    """Runs orvalen-find with the given arguments: (status, stdout, stderr)."""
    program = os.environ.get("ORVALEN_FIND")
    assert program and os.access(program, os.X_OK), "ORVALEN_FIND must name the orvalen-find program"

    def run(*args):
        done = subprocess.run([program, *args], capture_output=True, env={**os.environ, "LC_ALL": "C.UTF-8"})
        return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")

    return run
