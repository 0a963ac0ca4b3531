"""Kinfold's GEDCOM object model from Python, late-bound over IDispatch.

    import kinfold
    db = kinfold.GEDCOMdb()
    db.LoadGEDCOMFile("family.ged")
    for person in db.Individuals:
        print(person.Name.FullName)

Members are the object model's own, found at run time from each object's
type information: a property without parameters is an attribute, a method
or a property that takes arguments is called (person.Events("BIRT")), and
setting an attribute puts a property. Collections take len(), iteration and
indexing from 0 or by ID (db.Individuals["@I1@"]); their Item member keeps
counting from 1. A member that fails raises kinfold.Error with the
automation code and description. dir() lists an object's members.
"""
import os

from ._kinfold import Error, GEDCOMdb, Object, take_messages as _take_messages

__all__ = ['Error', 'GEDCOMdb', 'LoadError', 'Object', 'load']


class LoadError(Error):
    """A file that could not be loaded; `path` and `reason` say which and why."""

    def __init__(self, path, reason):
        super().__init__('%s: cannot be loaded: %s' % (path, reason))
        self.path = path
        self.reason = reason


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


def load(path, encoding='bytes'):
    """A new database with the GEDCOM file at `path` loaded into it.

    `encoding` is the database's TextEncoding: 'bytes' reads text as it is,
    'auto' decodes it by the file's byte-order mark or CHAR line.

    Unlike LoadGEDCOMFile, which answers False, this raises: OSError for a
    file that cannot be opened, LoadError with the reason for one that is
    not GEDCOM or is corrupt, ValueError for an unknown encoding.
    """
    path = os.fspath(path)
    if encoding not in ('bytes', 'auto'):
        raise ValueError("encoding must be 'bytes' or 'auto', not %r" % (encoding,))
    reason = _reason_not_gedcom(path, encoding == 'auto')
    if reason is not None:
        raise LoadError(path, reason)
    db = GEDCOMdb()
    db.TextEncoding = encoding
    _take_messages()
    if db.LoadGEDCOMFile(path):
        return db
    messages = _take_messages()
    raise LoadError(path, messages[-1] if messages else 'the file could not be read')
