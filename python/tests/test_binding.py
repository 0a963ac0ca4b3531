"""The Python binding as a script uses it: the object model's members found
at run time, collections as Python sequences, failures as kinfold.Error,
and one walk of every record of the corpus through Python."""
import gc

import pytest

import kinfold
from conftest import ROOT, SAMPLE
from kinfold import _kinfold

CORPUS = sorted((ROOT / 'tests/data/corpus').glob('*.[gG][eE][dD]'))


def test_the_readme_example(capsys, monkeypatch):
    text = (ROOT / 'README.md').read_text()
    section = text[text.index('## Python\n'):]
    example = section.split('```python\n', 1)[1].split('```', 1)[0]
    assert len(example.splitlines()) == 3
    monkeypatch.chdir(ROOT)
    exec(example, {})
    assert "'Thomas Hartley'" in capsys.readouterr().out


def test_the_readme_walk(db):
    names = [person.Name.FullName for person in db.Individuals]
    assert names == ['Clara Bexley', 'Edward Hartley', 'Thomas Hartley', 'Margaret Ellison',
                     'William Hartley', 'Anne Hartley']


def test_properties_read_and_write_without_regard_to_case(db):
    assert db.FileName == SAMPLE
    assert db.returnblankflags == 1
    db.ReturnBlankFlags = 6
    assert (db.ReturnBlankNames, db.ReturnBlankEvents, db.ReturnBlankPlaces) == (False, True, True)
    db.ConfidentialNotice = 'Private'
    assert db.ConfidentialNotice == 'Private'
    thomas = db.GetIndividualFromID('@I1@')
    thomas.Tag = [1, 'two', 3.5]
    assert thomas.Tag == [1, 'two', 3.5]
    thomas.Tag = db
    assert thomas.Tag == db
    # The database holds Thomas and Thomas's tag the database: counted
    # references that only the host can break, as in any automation host.
    thomas.Tag = None


def test_optional_and_named_arguments(db):
    thomas = db.Individuals['@I1@']
    assert [event.Type for event in thomas.Events()] == ['BIRT', 'DEAT']
    assert [event.Date for event in thomas.Events('DEAT')] == ['2 NOV 1903']
    assert [event.Date for event in thomas.Events(Tag='BIRT')] == ['14 MAR 1841']
    with pytest.raises(TypeError, match="no parameter named 'Kind'"):
        thomas.Events(Kind='BIRT')


def test_collection_properties_with_optional_arguments_read_without_a_call(db):
    thomas = db.Individuals['@I1@']
    assert len(thomas.Events) == 2 and thomas.Events.Count == 2
    assert [event.Type for event in thomas.Events] == ['BIRT', 'DEAT']
    assert thomas.Events[0].Date == '14 MAR 1841' and thomas.Events[-1].Type == 'DEAT'
    assert [event.Type for event in thomas.Attributes] == ['OCCU'] and thomas.Attributes
    assert not db.Individuals['@I2@'].Attributes
    assert [event.Type for event in db.Families[0].Events] == ['MARR']
    # Called with arguments, it is the member it always was.
    assert [event.Date for event in thomas.Events('DEAT')] == ['2 NOV 1903']
    with pytest.raises(AttributeError):
        thomas.Events.NoSuchMember


@pytest.mark.parametrize('use', [len, iter, lambda member: member[0]],
                         ids=['len', 'iter', 'index'])
def test_members_that_need_arguments_must_be_called(db, use):
    with pytest.raises(TypeError, match='call it first'):
        use(db.GetIndividualFromID)
    assert db.GetIndividualFromID


def test_methods_take_named_arguments_and_leave_defaults_out(db):
    assistant = db.Assistant
    women = assistant.ExtractIndividuals(Criteria='F', SubCategory=4)
    assert sorted(person.ID for person in women) == ['@I10@', '@I2@', '@I4@']
    thomas, edward = db.Individuals['@I1@'], db.Individuals['@I11@']
    assert assistant.IsAncestor(thomas, edward) is True
    assert assistant.IsAncestor(Descendant=thomas, Ancestor=edward) is False


def test_collections_are_sequences(db):
    people = db.Individuals
    assert len(people) == 6 and bool(people)
    assert people[0].ID == '@I10@' and people[-1].ID == '@I4@'
    assert people['@I2@'].Name.FullName == 'Margaret Ellison'
    # The collection's own Item counts from 1, as a script's coll(1) does.
    assert people(1) == people[0] and people.Item(2) == people[1]
    with pytest.raises(IndexError):
        people[6]
    with pytest.raises(KeyError):
        people['@I99@']
    empty = db.Multimedia
    assert len(empty) == 0 and not empty and list(empty) == []


def test_objects_compare_by_identity_and_missing_ones_are_none(db):
    william = db.GetIndividualFromID('@I3@')
    assert william.Father == db.GetIndividualFromID('@I1@')
    assert william.Father != william
    assert db.GetIndividualFromID('@I1@').Father is None
    assert db.GetIndividualFromID('@nobody@') is None


def test_failing_members_raise_kinfold_error(db):
    with pytest.raises(kinfold.Error) as failure:
        db.Individuals.Item(7)
    assert failure.value.hresult == 0x80004005
    # A wrong type of argument fails in the conversion.
    with pytest.raises(kinfold.Error) as failure:
        db.Individuals.Item(db)
    assert failure.value.hresult == 0x80020005
    with pytest.raises(TypeError):
        db.LoadGEDCOMFile(object())


def test_errors_carry_the_objects_description(kept_note):
    db, note, other = kept_note
    # The blank after NOTE belongs to the text of a note record.
    assert note.Note == ' Kept'
    assert db.LoadGEDCOMFile(other)
    with pytest.raises(kinfold.Error) as failure:
        note.Note
    assert failure.value.description == 'Error: GEDCOM file is corrupt.  Invalid Reference'
    assert failure.value.hresult == 0x80020009


def test_the_assistant_reports_foreign_records(db):
    other = kinfold.load(SAMPLE)
    with pytest.raises(kinfold.Error) as failure:
        db.Assistant.IsAncestor(other.Individuals[0], db.Individuals[0])
    assert failure.value.description == 'Record not part of this GEDCOM database'
    assert failure.value.hresult == 0x80020009


def test_objects_are_released_when_python_drops_them():
    gc.collect()
    assert _kinfold.can_unload_now()
    db = kinfold.load(SAMPLE)
    kept = [db.Individuals[0].Name, iter(db.Families), db.Assistant]
    del db
    gc.collect()
    assert not _kinfold.can_unload_now()
    assert kept[0].FullName == 'Clara Bexley'
    del kept
    gc.collect()
    assert _kinfold.can_unload_now(), 'an object of the library was not released'


def read_every_property(obj, depth, counts):
    """Reads each property without parameters of `obj`; objects one level
    below and the elements of collections are read the same way."""
    for name in dir(obj):
        try:
            value = getattr(obj, name)
        except kinfold.Error:
            counts['errors'] += 1
            continue
        counts['reads'] += 1
        if isinstance(value, kinfold.Object) and depth > 0:
            if hasattr(value, 'Count'):
                for element in value:
                    if isinstance(element, kinfold.Object):
                        read_every_property(element, depth - 1, counts)
            else:
                read_every_property(value, depth - 1, counts)


COLLECTIONS = ['Individuals', 'Families', 'Sources', 'Notes', 'Repositories', 'Multimedia',
               'Submitters']


@pytest.mark.parametrize('path', CORPUS, ids=lambda path: path.name)
def test_corpus_walk_reads_every_record(path):
    db = kinfold.GEDCOMdb()
    if not db.LoadGEDCOMFile(str(path)):
        pytest.skip('the library does not load this file')
    counts = {'reads': 0, 'errors': 0}
    records = 0
    for collection in COLLECTIONS:
        for record in getattr(db, collection):
            records += 1
            read_every_property(record, 1, counts)
    if db.Header is not None:
        read_every_property(db.Header, 1, counts)
    assert counts['reads'] >= records


def test_the_assistant_codes_names_by_sound(db):
    assistant = db.Assistant
    assert list(assistant.PhoneticCodes('Schwarz', 'dm')) == ['479400', '474000']
    assert list(assistant.PhoneticCodes(Method='cologne', Name='Wikipedia')) == ['3412']
    # Method left out: the declared default, Soundex.
    assert list(assistant.PhoneticCodes('Lloyd')) == ['L430']
    alike = assistant.ExtractIndividuals(SubCategory=5, Criteria='Hartli')
    assert sorted(person.ID for person in alike) == ['@I11@', '@I1@', '@I3@', '@I4@']
    with pytest.raises(kinfold.Error) as failure:
        assistant.PhoneticCodes('Schwarz', 'metaphone')
    assert failure.value.hresult == 0x80070057
    assert failure.value.description == \
        "Unknown phonetic method 'metaphone': use soundex, dm or cologne"
