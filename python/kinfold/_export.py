"""kinfold.export: a copy of a GEDCOM file that is safe to share, as the
kinfold export command writes it."""
import os

from ._load import load


def export(path, output, hide_living=None, living_name=None, strict=False, encoding=None):
    """Writes to `output` a copy of the GEDCOM file at `path` that is safe to
    share, and returns (hidden, individuals): how many were hidden of how many.

    Everyone who may be living (born within `hide_living` years, the
    library's default of 100 when None, by the dates of the file and of
    their relatives, or with no dates at all) keeps only the ID, sex, family
    links and the name `living_name` ("Living" when None); families whose
    partners are all hidden keep only partners and children; every other
    record keeps its bytes, and the header's note says what was done.

    The file is loaded as load() loads it (`strict` and `encoding` as there)
    and raises as load() does; ValueError for years that are no count of
    years, kinfold.Error when the library cannot write the copy.
    """
    if hide_living is not None and (isinstance(hide_living, bool) or
                                    not isinstance(hide_living, int) or hide_living < 0):
        raise ValueError('hide_living must be a number of years, 0 or more, not %r'
                         % (hide_living,))
    db = load(path, strict=strict, encoding=encoding)
    db.Assistant.ExportHidingLiving(os.fspath(output), hide_living, living_name)
    people = db.Individuals
    return sum(1 for person in people if person.Confidential), len(people)
