"""How IDL parameter types appear in C++ and travel through IDispatch."""

from dataclasses import dataclass
from typing import Optional

from .parser import IdlError

# IDL base type -> (C++ spelling as widl writes it, VARTYPE of the argument)
_SCALARS = {
    "BSTR": ("BSTR", "VT_BSTR"),
    "long": ("LONG", "VT_I4"),
    "short": ("short", "VT_I2"),
    # Hosts of the Windows build receive an int as VT_I4.
    "int": ("int", "VT_I4"),
    "VARIANT_BOOL": ("VARIANT_BOOL", "VT_BOOL"),
    "VARIANT": ("VARIANT", "VT_VARIANT"),
    "double": ("double", "VT_R8"),
}

# Members of VARIANT that hold a value of each VARTYPE.
VARIANT_FIELD = {
    "VT_BSTR": "bstrVal",
    "VT_I4": "lVal",
    "VT_I2": "iVal",
    "VT_BOOL": "boolVal",
    "VT_R8": "dblVal",
    "VT_UNKNOWN": "punkVal",
    "VT_DISPATCH": "pdispVal",
}


@dataclass
class MappedType:
    cpp: str                   # C++ base type, without pointers
    vt: str                    # VARTYPE the value travels as
    enum: bool = False
    iid: Optional[str] = None  # interfaces: the IID constant queried for

    @property
    def interface(self):
        return self.iid is not None


def MapType(type_ref, definition, where):
    name = type_ref.name
    if name in _SCALARS:
        cpp, vt = _SCALARS[name]
        return MappedType(cpp, vt)
    if name in definition.enum_names():
        return MappedType(name, "VT_I4", enum=True)
    if name == "IUnknown":
        return MappedType(name, "VT_UNKNOWN", iid="IID_IUnknown")
    if name == "IDispatch" or name in definition.interface_names():
        return MappedType(name, "VT_DISPATCH", iid="IID_" + name)
    raise IdlError("%s: unsupported type '%s'" % (where, name))


def CheckParamShape(param, mapped, where):
    """The shapes the dispatch thunks know how to call."""
    base_pointers = 1 if mapped.interface else 0
    if param.retval:
        if param.direction != "out" or param.type.pointers != base_pointers + 1:
            raise IdlError("%s: the retval '%s' must be [out] and one pointer deep" % (
                where, param.name))
        return
    if param.direction != "in":
        raise IdlError("%s: only [in] parameters and one [out, retval] are supported ('%s')" % (
            where, param.name))
    by_pointer = param.type.pointers - base_pointers
    if by_pointer not in (0, 1) or (by_pointer == 1 and mapped.vt != "VT_VARIANT"):
        raise IdlError("%s: unsupported pointer depth for '%s'" % (where, param.name))


def CppParam(param, mapped):
    return "%s%s %s" % (mapped.cpp, "*" * param.type.pointers, param.name)
