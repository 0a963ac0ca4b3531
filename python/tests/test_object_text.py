"""What repr(), help() and dir() show of the object model's objects: the
kind, ID and name of a record, the count of a collection, and each member
as the type information describes it."""
import pydoc

import pytest

import kinfold
from conftest import SAMPLE


@pytest.mark.parametrize('reach, shown', [
    (lambda db: db.Individuals['@I1@'], '<Individual @I1@ Thomas Hartley>'),
    (lambda db: db.Individuals['@I1@'].Name, '<Name Thomas Hartley>'),
    (lambda db: db.Individuals['@I1@'].Events()[0], '<FactEvent BIRT 14 MAR 1841>'),
    (lambda db: db.Sources[0], '<Source @S1@ Parish register of St Mary, Whitby>'),
    (lambda db: db.Repositories[0], '<Repository @R1@ North Yorkshire County Record Office>'),
    (lambda db: db.Submitters[0], '<Submitter @U1@ Kinfold Developers>'),
    (lambda db: db.Families[0], '<Family @F1@>'),
    (lambda db: db.Individuals, '<Individuals 6 items>'),
    (lambda db: db.Notes, '<Notes 1 item>'),
    (lambda db: db.Multimedia, '<Multimedia 0 items>'),
    (lambda db: db, '<GEDCOMdb %s>' % SAMPLE),
    (lambda db: kinfold.GEDCOMdb(), '<GEDCOMdb>'),
], ids=['individual', 'name', 'event', 'source', 'repository', 'submitter', 'family',
        'individuals', 'notes', 'no-multimedia', 'database', 'empty-database'])
def test_repr_shows_kind_id_and_name(db, reach, shown):
    assert repr(reach(db)) == shown


def test_repr_leaves_out_what_the_record_lacks(tmp_path):
    path = tmp_path / 'nameless.ged'
    path.write_text('0 HEAD\n0 @I7@ INDI\n1 SEX F\n0 TRLR\n')
    assert repr(kinfold.load(path).Individuals[0]) == '<Individual @I7@>'


def test_repr_does_not_raise_for_a_record_that_cannot_be_read(kept_note):
    db, note, other = kept_note
    assert db.LoadGEDCOMFile(other)
    with pytest.raises(kinfold.Error):
        note.Note
    assert repr(note).startswith('<Note')


def help_text(thing):
    return pydoc.render_doc(thing, renderer=pydoc.plaintext)


# Each member as the type information describes it, the object's own help
# strings from the type library, and for an object first what it is.
@pytest.mark.parametrize('reach, lines', [
    (lambda db: db, ['LoadGEDCOMFile(FileName) -> bool  (method)',
                     'Individuals -> object  (read-only property)',
                     'ConfidentialNotice -> str  (property)',
                     'SetConfidentiality(Years) -> None  (method)', 'Loads a GEDCOM file']),
    (lambda db: db.Individuals[0],
     ['Events([Tag]) -> object  (read-only property; reads as its value without arguments too)',
      'Tag -> any  (property)', 'ID -> str  (read-only property)',
      '<Individual @I10@ Clara Bexley>', 'IGDIndividualRecord', 'Individual record']),
    (lambda db: db.Assistant, ['IsAncestor(Ancestor, Descendant) -> bool  (method)']),
    (lambda db: db.LoadGEDCOMFile, ['LoadGEDCOMFile(FileName) -> bool  (method)']),
], ids=['database', 'individual', 'assistant', 'method'])
def test_help_describes_each_member(db, reach, lines):
    text = help_text(reach(db))
    for line in lines:
        assert line in text
    # The members of this object, not those of kinfold.Object.
    assert '__dir__' not in text


def test_dir_lists_the_members_from_the_type_information(db):
    members = dir(db)
    assert {'LoadGEDCOMFile', 'Individuals', 'ReturnBlankFlags', 'Assistant',
            'TextEncoding'} <= set(members)
    assert members == sorted(members)
    assert 'Children' in dir(db.Families[0])
    with pytest.raises(AttributeError, match="IGEDCOMdb3 has no member 'Individual'"):
        db.Individual
