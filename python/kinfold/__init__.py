"""Kinfold's GEDCOM object model from Python, late-bound over IDispatch.

    import kinfold
    db = kinfold.load("family.ged")
    for person in db.Individuals:
        print(person.Name.FullName)

Members are the object model's own, found at run time from each object's
type information: a property without parameters is an attribute, a method
or a property that takes arguments is called (person.Events("BIRT")), and
setting an attribute puts a property. A property whose arguments are all
optional and that gives a collection also reads as that collection
(len(person.Events), person.Events[0]). Collections take len(), iteration
and indexing from 0 or by ID (db.Individuals["@I1@"]); their Item member
keeps counting from 1. A member that fails raises kinfold.Error with the
automation code and description. dir() lists an object's members and
help() describes them.

kinfold.load() reads a file tolerantly, as the kinfold command does;
kinfold.GEDCOMdb() is the plain database with the library's defaults.
kinfold.export() writes a copy of a file with everyone who may be living
hidden, as kinfold export does.
"""
from ._kinfold import Error, GEDCOMdb, Object
from ._export import export
from ._load import LoadError, load

__all__ = ['Error', 'GEDCOMdb', 'LoadError', 'Object', 'export', 'load']
