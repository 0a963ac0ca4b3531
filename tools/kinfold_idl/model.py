"""What the generators need to know about the interface definition."""

from dataclasses import dataclass, field
from typing import List, Optional


@dataclass
class Guid:
    text: str  # 8-4-4-4-12 hex digits, lower case

    def fields(self):
        """(Data1, Data2, Data3, [8 bytes]) as integers."""
        parts = self.text.split("-")
        tail = parts[3] + parts[4]
        return (int(parts[0], 16), int(parts[1], 16), int(parts[2], 16),
                [int(tail[i:i + 2], 16) for i in range(0, 16, 2)])


@dataclass
class TypeRef:
    name: str          # the base type as written: BSTR, long, gd_X, IGDFoo
    pointers: int      # number of '*'


@dataclass
class Param:
    name: str
    type: TypeRef
    direction: str            # "in", "out", "inout"
    retval: bool = False
    optional: bool = False
    default: Optional[str] = None   # the literal as written in defaultvalue(...)
    line: int = 0


@dataclass
class Member:
    name: str
    kind: str                 # "method", "propget", "propput", "propputref"
    dispid: int
    params: List[Param]
    attributes: List[str] = field(default_factory=list)  # flags such as hidden, restricted
    line: int = 0
    helpstring: str = ""      # the C string literal as written, quotes included, or ""

    def in_params(self):
        return [p for p in self.params if not p.retval]

    def retval(self):
        return next((p for p in self.params if p.retval), None)


@dataclass
class Interface:
    name: str
    base: str
    uuid: Guid
    attributes: List[str]
    members: List[Member]
    line: int = 0
    helpstring: str = ""      # the C string literal as written, quotes included, or ""


@dataclass
class Enum:
    name: str
    values: List[tuple]       # (name, int value)


@dataclass
class CoClass:
    name: str
    uuid: Guid
    attributes: List[str]
    interfaces: List[tuple]   # (name, attribute list, is_dispinterface)


@dataclass
class DispInterface:
    name: str
    uuid: Guid


@dataclass
class Library:
    name: str
    uuid: Guid
    version: str
    helpstring: str


@dataclass
class Definition:
    filename: str = ""
    library: Optional[Library] = None
    enums: List[Enum] = field(default_factory=list)
    interfaces: List[Interface] = field(default_factory=list)
    dispinterfaces: List[DispInterface] = field(default_factory=list)
    coclasses: List[CoClass] = field(default_factory=list)

    def enum_names(self):
        return {e.name for e in self.enums}

    def interface_names(self):
        return {i.name for i in self.interfaces}


def Where(definition, iface, member):
    """file:line: Interface.Member, for error messages."""
    return "%s:%d: %s.%s" % (definition.filename, member.line, iface.name, member.name)
