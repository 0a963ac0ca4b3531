"""kinfold.load as people use it: tolerant by default as the kinfold command
is, the library's exact defaults with strict=True, and files that cannot be
loaded raising with the reason and, where the database tells it, the line."""
import types

import pytest

import kinfold
from conftest import SAMPLE
from kinfold import _load

DANGLING = b'0 HEAD\n0 @I1@ INDI\n1 FAMS @F98@\n0 TRLR\n'
UTF16 = '0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Lee/\n0 TRLR\n'.encode('utf-16')
ANSEL_PERSON = b'0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n1 NAME Jos\xe2e /N\xe2u\xe4nez/\n0 TRLR\n'
CONC_NOTE = b'0 HEAD\n0 @I1@ INDI\n1 NOTE abc\n2 CONC def\n2 CONT ghi\n0 TRLR\n'


def write(tmp_path, contents, name='family.ged'):
    path = tmp_path / name
    path.write_bytes(contents)
    return path


def has_member(name):
    return hasattr(kinfold.GEDCOMdb(), name)


def test_library_messages_reach_standard_error_as_text(tmp_path, capsys):
    path = write(tmp_path, DANGLING)
    assert kinfold.GEDCOMdb().LoadGEDCOMFile(str(path)) is False
    assert capsys.readouterr().err == 'kinfold: ERROR: GEDCOM file is corrupt\n'


@pytest.mark.parametrize('contents, strict, reason', [
    (b'', False, 'the file is empty'),
    (b'', True, 'the file is empty'),
    (bytes(range(256)), False, 'the file is binary'),
    (bytes(range(256)), True, 'the file is binary'),
    (b'Dear cousin,\n', False, 'does not begin with a 0 HEAD line'),
    (b'Dear cousin,\n', True, 'does not begin with a 0 HEAD line'),
    # Strictly, text is read as bytes, so UTF-16 is refused.
    (UTF16, True, 'UTF-16'),
    (DANGLING, True, 'GEDCOM file is corrupt'),
], ids=['empty', 'empty-strict', 'binary', 'binary-strict', 'letter', 'letter-strict',
        'utf16-strict', 'corrupt-strict'])
def test_bad_files_raise_with_the_reason(tmp_path, contents, strict, reason):
    path = write(tmp_path, contents)
    # The library reads what it is given; it must not crash on it.
    assert kinfold.GEDCOMdb().LoadGEDCOMFile(str(path)) in (True, False)
    with pytest.raises(kinfold.LoadError) as failure:
        kinfold.load(path, strict=strict)
    assert reason in failure.value.reason and failure.value.path == str(path)
    assert str(failure.value).startswith(str(path) + ': cannot be loaded: ')


@pytest.mark.parametrize('path, error', [('missing.ged', FileNotFoundError), ('.', OSError)])
def test_files_that_cannot_be_opened_raise_os_errors(tmp_path, path, error):
    assert kinfold.GEDCOMdb().LoadGEDCOMFile(str(tmp_path / path)) is False
    with pytest.raises(error):
        kinfold.load(tmp_path / path)


def test_a_corrupt_file_names_the_line_that_breaks_it(tmp_path):
    path = write(tmp_path, DANGLING)
    with pytest.raises(kinfold.LoadError) as failure:
        kinfold.load(path, strict=True)
    error = failure.value
    assert 'GEDCOM file is corrupt' in error.reason
    if not has_member('LoadError'):
        assert (error.line, error.text) == (None, None)
        pytest.skip('the database does not say where a load failed')
    assert (error.line, error.text) == (3, 'FAMS @F98@ names no record')
    assert str(error).endswith(': line 3: FAMS @F98@ names no record')


@pytest.mark.parametrize('account, where', [
    ('line 906: FAMS @F98@ names no record', (906, 'FAMS @F98@ names no record')),
    ('line 2: a text: with colons', (2, 'a text: with colons')),
    ('the file ends inside a record', (None, 'the file ends inside a record')),
    ('', (None, None)),
])
def test_the_databases_account_of_a_failed_load_is_split(account, where):
    assert _load._where_it_failed(types.SimpleNamespace(LoadError=account)) == where


def test_a_database_without_an_account_gives_no_line():
    assert _load._where_it_failed(types.SimpleNamespace()) == (None, None)


def test_a_load_error_message_reads_as_the_commands():
    error = kinfold.LoadError('f.ged', 'ERROR: GEDCOM file is corrupt', 906,
                              'FAMS @F98@ names no record')
    assert str(error) == ('f.ged: cannot be loaded: ERROR: GEDCOM file is corrupt: '
                          'line 906: FAMS @F98@ names no record')
    assert isinstance(error, kinfold.Error)


def option_values(db):
    """Every readable property of the database that is a plain value."""
    values = {}
    for name in dir(db):
        try:
            value = getattr(db, name)
        except kinfold.Error:
            continue
        if isinstance(value, (bool, int, str)):
            values[name] = value
    return values


def test_strict_load_leaves_every_option_at_the_librarys_default():
    plain = kinfold.GEDCOMdb()
    assert plain.LoadGEDCOMFile(SAMPLE)
    assert option_values(kinfold.load(SAMPLE, strict=True)) == option_values(plain)


def test_tolerant_load_sets_the_options_the_database_has():
    db = kinfold.load(SAMPLE)
    assert (db.ConcatenateWithSpace, db.TextEncoding) == (False, 'auto')
    for option in _load.TOLERANT_OPTIONS:
        if has_member(option):
            assert getattr(db, option) is True, option


def test_the_plain_database_keeps_the_librarys_defaults():
    db = kinfold.GEDCOMdb()
    assert (db.ConcatenateWithSpace, db.TextEncoding) == (True, 'bytes')


@pytest.mark.parametrize('strict, note', [(False, 'abcdef\nghi'), (True, 'abc def\nghi')],
                         ids=['tolerant', 'strict'])
def test_conc_joins_without_a_space_unless_strict(tmp_path, strict, note):
    db = kinfold.load(write(tmp_path, CONC_NOTE), strict=strict)
    assert db.Individuals[0].Notes[0].Note == note


@pytest.mark.parametrize('contents, kwargs, encoding, name', [
    (ANSEL_PERSON, {}, 'auto', 'Jos\u00e9 N\u00fa\u00f1ez'),
    (ANSEL_PERSON, {'strict': True}, 'bytes', 'Jos\u00e2e N\u00e2u\u00e4nez'),  # Windows-1252
    (ANSEL_PERSON, {'encoding': 'bytes'}, 'bytes', 'Jos\u00e2e N\u00e2u\u00e4nez'),
    (ANSEL_PERSON, {'strict': True, 'encoding': 'auto'}, 'auto', 'Jos\u00e9 N\u00fa\u00f1ez'),
    (UTF16, {}, 'auto', 'Ann Lee'),
    ('0 HEAD\n1 CHAR UNICODE\n0 @I1@ INDI\n1 NAME Jos\u00e9 /N\u00fa\u00f1ez/\n0 TRLR\n'
     .encode('utf-16-be'), {'strict': True, 'encoding': 'auto'}, 'auto', 'Jos\u00e9 N\u00fa\u00f1ez'),
], ids=['ansel', 'ansel-strict', 'ansel-bytes', 'ansel-strict-auto', 'utf16', 'utf16-be-auto'])
def test_an_explicit_encoding_wins_over_the_mode(tmp_path, contents, kwargs, encoding, name):
    db = kinfold.load(write(tmp_path, contents), **kwargs)
    assert db.TextEncoding == encoding
    assert db.Individuals['@I1@'].Name.FullName == name


def test_load_refuses_an_unknown_encoding():
    with pytest.raises(ValueError, match='latin'):
        kinfold.load(SAMPLE, encoding='latin')


def test_a_tolerant_load_says_what_it_dropped(tmp_path, capsys):
    if not has_member('DropDanglingPointers'):
        pytest.skip('the database has no tolerant reading')
    path = write(tmp_path, DANGLING)
    db = kinfold.load(path)
    assert len(db.Individuals) == 1 and len(db.DroppedLines) == 1
    assert capsys.readouterr().err == (
        'kinfold: %s: 1 line dropped while loading; `kinfold check %s` lists it\n' % (path, path))


@pytest.mark.parametrize('dropped, said', [
    ([], ''),
    (['line 3: FAMS @F98@ names no record'], '1 line dropped while loading; '
                                              "`kinfold check 'my family.ged'` lists it"),
    (['a', 'b'], "2 lines dropped while loading; `kinfold check 'my family.ged'` lists them"),
    (None, ''),
], ids=['none', 'one', 'two', 'no-member'])
def test_dropped_lines_are_counted_on_one_line(capsys, dropped, said):
    db = types.SimpleNamespace() if dropped is None else types.SimpleNamespace(DroppedLines=dropped)
    _load._report_dropped(db, 'my family.ged')
    assert capsys.readouterr().err == ('kinfold: my family.ged: %s\n' % said if said else '')


def test_a_clean_load_says_nothing(capsys):
    kinfold.load(SAMPLE)
    assert capsys.readouterr().err == ''


FAMILY = (b'0 HEAD\n0 @I1@ INDI\n1 NAME Old /Lee/\n1 BIRT\n2 DATE 1850\n1 FAMS @F1@\n'
          b'0 @I2@ INDI\n1 NAME Ann /Lee/\n1 BIRT\n2 DATE 1990\n1 FAMC @F1@\n'
          b'0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n0 TRLR\n')


@pytest.mark.parametrize('kwargs, counts, names', [
    ({}, (1, 2), ['Old Lee', 'Living']),
    ({'hide_living': 200, 'living_name': 'Private'}, (2, 2), ['Private', 'Private']),
    ({'hide_living': 10}, (0, 2), ['Old Lee', 'Ann Lee']),
])
def test_export_writes_a_copy_with_the_living_hidden(tmp_path, kwargs, counts, names):
    shared = tmp_path / 'shared.ged'
    assert kinfold.export(write(tmp_path, FAMILY), shared, **kwargs) == counts
    copy = kinfold.load(shared)
    assert [person.Name.FullName for person in copy.Individuals] == names
    assert 'Individuals who may be living are hidden' in copy.Header.Description


@pytest.mark.parametrize('kwargs, error', [
    ({'hide_living': -1}, ValueError),
    ({'hide_living': True}, ValueError),
    ({'living_name': 'two\nlines'}, kinfold.Error),
])
def test_export_refuses_what_it_cannot_write(tmp_path, kwargs, error):
    shared = tmp_path / 'shared.ged'
    with pytest.raises(error):
        kinfold.export(write(tmp_path, FAMILY), shared, **kwargs)
    assert not shared.exists()
