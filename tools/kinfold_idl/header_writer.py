"""kinfold.h: the C++ interfaces, with the member signatures widl writes, so
that a class implementing an interface compiles on both builds."""

from .banner import BANNER
from .model import Where
from .type_map import CppParam, MapType

_ACCESSOR_PREFIX = {"propget": "get_", "propput": "put_", "propputref": "putref_", "method": ""}


def VtableName(member):
    return _ACCESSOR_PREFIX[member.kind] + member.name


def _enum(enum):
    lines = ["typedef enum %s {" % enum.name]
    lines += ["    %s = %d," % (name, value) for name, value in enum.values]
    lines.append("} %s;" % enum.name)
    return lines


def _interface(iface, definition):
    lines = ["struct %s : public %s {" % (iface.name, iface.base)]
    for member in iface.members:
        where = Where(definition, iface, member)
        params = ", ".join(CppParam(p, MapType(p.type, definition, where)) for p in member.params)
        lines.append("    virtual HRESULT STDMETHODCALLTYPE %s(%s) = 0;" % (VtableName(member), params))
    lines.append("};")
    lines.append("KINFOLD_DECLARE_IID(%s, IID_%s);" % (iface.name, iface.name))
    return lines


def WriteHeader(definition):
    out = [BANNER.rstrip("\n"), "#pragma once", "", '#include "platform/automation.h"', ""]
    out += ["struct %s;" % i.name for i in definition.interfaces]
    out += ["struct %s;" % d.name for d in definition.dispinterfaces]
    out.append("")
    for enum in definition.enums:
        out += _enum(enum)
    out.append("")
    if definition.library:
        library = definition.library
        out.append('extern "C" const IID LIBID_%s;' % library.name)
        # Native registration writes the keys a type library would have.
        out.append('#define KINFOLD_LIBRARY_VERSION "%s"' % library.version)
        out.append('#define KINFOLD_LIBRARY_HELPSTRING "%s"' % library.helpstring)
    out += ['extern "C" const IID IID_%s;' % i.name for i in definition.interfaces]
    out += ['extern "C" const IID DIID_%s;' % d.name for d in definition.dispinterfaces]
    out += ['extern "C" const CLSID CLSID_%s;' % c.name for c in definition.coclasses]
    for iface in definition.interfaces:
        out.append("")
        out += _interface(iface, definition)
    for disp in definition.dispinterfaces:
        out.append("")
        out.append("struct %s : public IDispatch {};" % disp.name)
        out.append("KINFOLD_DECLARE_IID(%s, DIID_%s);" % (disp.name, disp.name))
    if definition.coclasses:
        out.append("")
        out.append("// widl declares the coclasses as classes, so __uuidof(GEDCOMdb) reads the CLSID.")
    for coclass in definition.coclasses:
        out.append("class %s;" % coclass.name)
        out.append("KINFOLD_DECLARE_IID(%s, CLSID_%s);" % (coclass.name, coclass.name))
    return "\n".join(out) + "\n"
