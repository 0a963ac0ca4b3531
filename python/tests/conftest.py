"""What the binding's tests share: where the repository's files are, and a
database with the sample file loaded."""
from pathlib import Path

import pytest

import kinfold

ROOT = Path(__file__).resolve().parents[2]
SAMPLE = str(ROOT / 'examples/data/sample.ged')


@pytest.fixture
def db():
    database = kinfold.GEDCOMdb()
    assert database.LoadGEDCOMFile(SAMPLE) is True
    return database


@pytest.fixture
def kept_note(tmp_path):
    """A database with a note record kept by the test, and a second file for
    the database to load: the note then loses its file, and reading it fails
    with the object's own error."""
    first, other = tmp_path / 'first.ged', tmp_path / 'other.ged'
    first.write_text('0 HEAD\n0 @I1@ INDI\n1 NOTE @N1@\n0 @N1@ NOTE Kept\n0 TRLR\n')
    other.write_text('0 HEAD\n0 @I7@ INDI\n0 TRLR\n')
    database = kinfold.GEDCOMdb()
    assert database.LoadGEDCOMFile(str(first))
    return database, database.Individuals[0].Notes[0], str(other)
