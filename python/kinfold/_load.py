"""kinfold.load: a database with a file loaded into it, or an exception that
says why there is none."""
import os
import re
import shlex
import sys

from ._kinfold import Error, GEDCOMdb, take_messages

ENCODINGS = ('bytes', 'auto')

# Options of later database interfaces that read files as people keep them;
# each is set by name, so a database without them still loads, exactly.
TOLERANT_OPTIONS = ('DropDanglingPointers', 'ReadLongLines', 'JoinLinesWithoutLevel')


class LoadError(Error):
    """A file that could not be loaded.

    `path` is the file and `reason` why it was refused, in a few words (for
    a corrupt file the library's own message). Where the database tells
    where the loader gave up, `line` is that line's number and `text` what
    is wrong there ("FAMS @F98@ names no record"); otherwise both are None.
    """

    def __init__(self, path, reason, line=None, text=None):
        message = '%s: cannot be loaded: %s' % (path, reason)
        if text:
            message += ': ' + (text if line is None else 'line %d: %s' % (line, text))
        super().__init__(message)
        self.path = path
        self.reason = reason
        self.line = line
        self.text = text


def _reason_not_gedcom(path, decoded):
    """Why the file at `path` is no GEDCOM text, judged by its first bytes;
    None when it looks like one. The library itself reads whatever it is
    given, so these are told before it does. UTF-16 is GEDCOM text when the
    database decodes it."""
    with open(path, 'rb') as file:
        head = file.read(512)
    if not head:
        return 'the file is empty'
    utf16 = head[:2] in (b'\xff\xfe', b'\xfe\xff') or head[:4] in (b'0\0 \0', b'\x000\0 ')
    if utf16 and decoded:
        return None
    if head[:2] in (b'\xff\xfe', b'\xfe\xff'):
        return 'the file is UTF-16 text; save it as UTF-8 or ANSI, or load it with encoding="auto"'
    if b'\0' in head:
        return 'the file is binary, not GEDCOM'
    if not head.lstrip(b'\xef\xbb\xbf \t\r\n').startswith(b'0 HEAD'):
        return 'the file is not GEDCOM (it does not begin with a 0 HEAD line)'
    return None


def _member(db, name):
    """The database's member `name`, or None where its interface has none."""
    try:
        return getattr(db, name)
    except AttributeError:
        return None


def _where_it_failed(db):
    """(line, text) of the database's account of a failed load, "line 906:
    FAMS @F98@ names no record"; (None, None) when it gives none."""
    account = _member(db, 'LoadError')
    if not account:
        return None, None
    found = re.fullmatch(r'line (\d+): (.*)', account, re.DOTALL)
    if found is None:
        return None, account
    return int(found.group(1)), found.group(2)


def _make_tolerant(db):
    # CONC joins its text with no space between, as the GEDCOM standard says.
    db.ConcatenateWithSpace = False
    db.TextEncoding = 'auto'
    for option in TOLERANT_OPTIONS:
        try:
            setattr(db, option, True)
        except AttributeError:
            pass


def _report_dropped(db, path):
    dropped = _member(db, 'DroppedLines')
    count = len(dropped) if dropped is not None else 0
    if count:
        print('kinfold: %s: %d line%s dropped while loading; `kinfold check %s` lists %s'
              % (path, count, '' if count == 1 else 's', shlex.quote(path),
                 'it' if count == 1 else 'them'), file=sys.stderr)


def load(path, strict=False, encoding=None):
    """A new database with the GEDCOM file at `path` loaded into it.

    By default the load is tolerant, as the kinfold command's is: text is
    decoded by the file's byte-order mark or CHAR line, CONC joins without a
    space, and where the database offers them, pointers to no record, long
    lines and lines without a level are dropped or mended rather than
    refusing the file (one line on standard error says how many lines were
    dropped). strict=True leaves every option of the database at its
    default, for the library's exact answers. `encoding` ('bytes' reads text
    as it is, 'auto' decodes it) sets TextEncoding in either case.

    Unlike LoadGEDCOMFile, which answers False, this raises: OSError for a
    file that cannot be opened, LoadError with the reason for one that is
    not GEDCOM or is corrupt, ValueError for an unknown encoding,
    KeyboardInterrupt when Ctrl-C cancels the load.
    """
    path = os.fspath(path)
    if encoding is not None and encoding not in ENCODINGS:
        raise ValueError("encoding must be 'bytes' or 'auto', not %r" % (encoding,))
    decoded = encoding == 'auto' or (encoding is None and not strict)
    reason = _reason_not_gedcom(path, decoded)
    if reason is not None:
        raise LoadError(path, reason)
    db = GEDCOMdb()
    if not strict:
        _make_tolerant(db)
    if encoding is not None:
        db.TextEncoding = encoding
    take_messages()
    if db.LoadGEDCOMFile(path):
        _report_dropped(db, path)
        return db
    messages = take_messages()
    line, text = _where_it_failed(db)
    raise LoadError(path, messages[-1] if messages else 'the file could not be read', line, text)
