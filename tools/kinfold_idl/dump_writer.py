"""A canonical text form of the definition, one fact per line, for comparing
with what the Windows type library says."""

from .default_value import ReadDefault
from .model import Where
from .type_map import MapType


def _type_name(param, definition, where):
    mapped = MapType(param.type, definition, where)
    pointers = param.type.pointers - (1 if param.retval else 0)
    return param.type.name + "*" * pointers if not mapped.enum else param.type.name


def _param(param, definition, where):
    parts = [param.name, _type_name(param, definition, where)]
    if param.optional:
        parts.append("optional")
    if param.default is not None:
        vt, number, text = ReadDefault(param.default, definition, where)
        parts.append("default=" + ('"%s"' % text if vt == "VT_BSTR" else repr(number)))
    return ":".join(parts)


def _member(iface, member, definition):
    where = Where(definition, iface, member)
    fields = ["%s.%s" % (iface.name, member.name), member.kind, str(member.dispid)]
    fields += [_param(p, definition, where) for p in member.in_params()]
    retval = member.retval()
    if retval is not None:
        fields.append("-> " + _type_name(retval, definition, where))
    if member.attributes:
        fields.append("[%s]" % ",".join(sorted(member.attributes)))
    return " ".join(fields)


def WriteDump(definition):
    out = []
    lib = definition.library
    if lib:
        out.append("library %s {%s} %s" % (lib.name, lib.uuid.text, lib.version))
    for enum in definition.enums:
        out.append("enum %s %s" % (enum.name, " ".join("%s=%d" % v for v in enum.values)))
    for iface in definition.interfaces:
        flags = ",".join(sorted(iface.attributes))
        out.append("interface %s {%s} : %s [%s]" % (iface.name, iface.uuid.text, iface.base, flags))
        out += [_member(iface, m, definition) for m in iface.members]
    for disp in definition.dispinterfaces:
        out.append("dispinterface %s {%s}" % (disp.name, disp.uuid.text))
    for coclass in definition.coclasses:
        entries = " ".join("%s%s" % (name, "[%s]" % ",".join(flags) if flags else "")
                           for name, flags, _ in coclass.interfaces)
        out.append("coclass %s {%s} [%s] %s" % (
            coclass.name, coclass.uuid.text, ",".join(sorted(coclass.attributes)), entries))
    return "\n".join(out) + "\n"
