"""kinfold_unimplemented.h: for every interface a class whose members all
answer E_NOTIMPL. A class that serves only part of an interface so far
derives from it and overrides what it serves; once it serves every member it
derives from the interface itself, and the compiler checks completeness."""

from .banner import BANNER
from .header_writer import VtableName
from .type_map import CppParam, MapType


def _interface(iface, definition):
    lines = ["template <>",
             "class Unimplemented<%s> : public %s {" % (iface.name, iface.name),
             "   public:"]
    for member in iface.members:
        where = "%s.%s" % (iface.name, member.name)
        params = ", ".join(CppParam(p, MapType(p.type, definition, where)) for p in member.params)
        lines.append("    HRESULT STDMETHODCALLTYPE %s(%s) override { return E_NOTIMPL; }"
                     % (VtableName(member), params))
    lines.append("};")
    return lines


def WriteUnimplemented(definition):
    out = [BANNER.rstrip("\n"), "#pragma once", "", '#include "kinfold.h"', "",
           "template <class Iface>", "class Unimplemented;"]
    for iface in definition.interfaces:
        out.append("")
        out += _interface(iface, definition)
    return "\n".join(out) + "\n"
