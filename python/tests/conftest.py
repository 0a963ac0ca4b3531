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
