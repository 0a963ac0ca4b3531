"""The `kinfold` command that `pip install .` gives: a console script that
runs the command-line tool shipped inside the package."""
import os
import subprocess
import sysconfig

import pytest

import kinfold
from conftest import SAMPLE
from kinfold import _command

INSTALLED = any(os.path.abspath(kinfold.__file__).startswith(sysconfig.get_path(kind) + os.sep)
                for kind in ('purelib', 'platlib'))
SCRIPT = os.path.join(sysconfig.get_path('scripts'), 'kinfold')

pytestmark = pytest.mark.skipif(not INSTALLED, reason='kinfold is not installed by pip here')


def run(*args):
    return subprocess.run([SCRIPT, *args], capture_output=True, text=True, timeout=60)


def test_the_tool_is_shipped_inside_the_package():
    assert os.access(_command.TOOL, os.X_OK)
    assert os.path.dirname(os.path.dirname(_command.TOOL)) == os.path.dirname(kinfold.__file__)


@pytest.mark.parametrize('contents, code, said', [
    (None, 0, 'no problems in'),
    (b'0 HEAD\n0 @I1@ INDI\n1 FAMS @F98@\n0 TRLR\n', 1, 'FAMS @F98@ names no record'),
], ids=['clean', 'corrupt'])
def test_the_console_script_runs_the_tool(tmp_path, contents, code, said):
    path = SAMPLE
    if contents is not None:
        path = tmp_path / 'family.ged'
        path.write_bytes(contents)
    finished = run('check', str(path))
    assert finished.returncode == code, finished.stderr
    assert said in finished.stdout


def test_the_console_script_passes_the_tools_exit_code_and_errors(tmp_path):
    finished = run('stats', str(tmp_path / 'missing.ged'))
    assert finished.returncode not in (0, None)
    assert finished.stderr.startswith('kinfold: ')

