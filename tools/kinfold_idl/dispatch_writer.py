"""kinfold_dispatch.cpp: per interface, the table of members a host reaches
through IDispatch and the thunks that call them."""

from .banner import BANNER
from .default_value import ReadDefault
from .header_writer import VtableName
from .model import Where
from .type_map import VARIANT_FIELD, CheckParamShape, MapType

_KIND = {
    "method": "DispatchKind::Method",
    "propget": "DispatchKind::PropertyGet",
    "propput": "DispatchKind::PropertyPut",
    "propputref": "DispatchKind::PropertyPutRef",
}

_ZERO = {"VT_BSTR": "nullptr", "VT_UNKNOWN": "nullptr", "VT_DISPATCH": "nullptr",
         "VT_BOOL": "VARIANT_FALSE"}


def _dispatch_members(iface, definition):
    """The members a host reaches through the interface's IDispatch: those of
    the interfaces it derives from (other than IDispatch), then its own."""
    bases = {i.name: i for i in definition.interfaces}
    inherited = (_dispatch_members(bases[iface.base], definition)
                 if iface.base in bases else [])
    return inherited + list(iface.members)


def _symbol(iface, member):
    return "%s_%s" % (iface.name, VtableName(member))


def _argument(index, mapped, by_pointer):
    slot = "args[%d]" % index
    if mapped.interface:
        return "static_cast<%s*>(%s.byref)" % (mapped.cpp, slot)
    if mapped.vt == "VT_VARIANT":
        return ("&" if by_pointer else "") + slot
    value = "%s.%s" % (slot, VARIANT_FIELD[mapped.vt])
    return "static_cast<%s>(%s)" % (mapped.cpp, value) if mapped.enum else value


def _thunk(iface, member, definition):
    where = Where(definition, iface, member)
    in_params = member.in_params()
    arguments = []
    for index, param in enumerate(in_params):
        mapped = MapType(param.type, definition, where)
        by_pointer = param.type.pointers > (1 if mapped.interface else 0)
        arguments.append(_argument(index, mapped, by_pointer))
    retval = member.retval()
    call = "static_cast<%s*>(self)->%s" % (iface.name, VtableName(member))
    signature = "HRESULT %s(void* self, VARIANT*%s, VARIANT*%s)" % (
        _symbol(iface, member), " args" if in_params else "", " result" if retval else "")
    lines = [signature + " {"]
    if retval is None:
        lines.append("    return %s(%s);" % (call, ", ".join(arguments)))
    else:
        mapped = MapType(retval.type, definition, where)
        if mapped.vt == "VT_VARIANT":
            lines.append("    return %s(%s);" % (call, ", ".join(arguments + ["result"])))
        else:
            pointer = "*" if mapped.interface else ""
            initial = _ZERO.get(mapped.vt, "%s()" % mapped.cpp)
            result_vt = "VT_UNKNOWN" if mapped.cpp == "IUnknown" else mapped.vt
            lines.append("    %s%s value = %s;" % (mapped.cpp, pointer, initial))
            lines.append("    const HRESULT hr = %s(%s);" % (call, ", ".join(arguments + ["&value"])))
            lines.append("    result->vt = %s;" % result_vt)
            lines.append("    result->%s = value;" % VARIANT_FIELD[result_vt])
            lines.append("    return hr;")
    lines.append("}")
    return lines


def _u16(text):
    return 'u"%s"' % text


def _param_entry(param, definition, where):
    mapped = MapType(param.type, definition, where)
    CheckParamShape(param, mapped, where)
    iid = "&" + mapped.iid if mapped.interface else "nullptr"
    if param.default is None:
        default = "false, VT_EMPTY, 0, nullptr"
    else:
        vt, number, text = ReadDefault(param.default, definition, where)
        default = "true, %s, %r, %s" % (vt, number, _u16(text) if text is not None else "nullptr")
    return '{"%s", %s, %s, %s, %s}' % (
        param.name, mapped.vt, iid, "true" if param.optional else "false", default)


def _member_tables(iface, definition):
    lines, entries = [], []
    for member in _dispatch_members(iface, definition):
        where = Where(definition, iface, member)
        symbol = _symbol(iface, member)
        in_params = member.in_params()
        if in_params:
            lines.append("const DispatchParam %s_params[] = {" % symbol)
            lines += ["    %s," % _param_entry(p, definition, where) for p in in_params]
            lines.append("};")
        retval = member.retval()
        if retval is not None:
            CheckParamShape(retval, MapType(retval.type, definition, where), where)
            result_mapped = MapType(retval.type, definition, where)
            result_vt = "VT_UNKNOWN" if result_mapped.cpp == "IUnknown" else result_mapped.vt
        entries.append('    {"%s", %d, %s, %s, %d, %s, %s, %s, %s},' % (
            member.name, member.dispid, _KIND[member.kind],
            symbol + "_params" if in_params else "nullptr", len(in_params),
            result_vt if retval else "VT_EMPTY",
            '"%s"' % retval.name if retval else "nullptr", symbol,
            member.helpstring or '""'))
    if entries:
        lines.append("const DispatchMember %s_members[] = {" % iface.name)
        lines += entries
        lines.append("};")
    return lines


def WriteDispatchTables(definition):
    out = [BANNER.rstrip("\n"),
           '#include "kinfold.h"',
           '#include "platform/posix/dispatch_table.h"',
           "",
           "#include <iterator>",
           "",
           "namespace kinfold {",
           "namespace {",
           ""]
    for iface in definition.interfaces:
        for member in _dispatch_members(iface, definition):
            out += _thunk(iface, member, definition)
            out.append("")
        out += _member_tables(iface, definition)
        out.append("")
    out.append("const DispatchInterface kInterfaces[] = {")
    for iface in definition.interfaces:
        count = len(_dispatch_members(iface, definition))
        members = "%s_members, %d" % (iface.name, count) if count else "nullptr, 0"
        out.append('    {"%s", &IID_%s, %s, %s},' % (iface.name, iface.name, members,
                                                 iface.helpstring or '""'))
    out += ["};",
            "",
            "}  // namespace",
            "",
            "DispatchInterfaceList AllDispatchInterfaces() {",
            "    return {std::begin(kInterfaces), std::end(kInterfaces)};",
            "}",
            "",
            "const DispatchInterface* FindDispatchInterface(REFIID iid) {",
            "    for (const DispatchInterface& iface : kInterfaces)",
            "        if (IsEqualIID(*iface.iid, iid)) return &iface;",
            "    return nullptr;",
            "}",
            "",
            "}  // namespace kinfold"]
    return "\n".join(out) + "\n"
