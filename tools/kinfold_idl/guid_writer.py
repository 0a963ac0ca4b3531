"""kinfold_i.cpp: the one definition of every GUID in kinfold.idl."""

from .banner import BANNER


def _initializer(guid):
    d1, d2, d3, d4 = guid.fields()
    return "{0x%08x, 0x%04x, 0x%04x, {%s}}" % (d1, d2, d3, ", ".join("0x%02x" % b for b in d4))


def WriteGuids(definition):
    entries = []
    if definition.library:
        entries.append(("IID", "LIBID_" + definition.library.name, definition.library.uuid))
    entries += [("IID", "IID_" + i.name, i.uuid) for i in definition.interfaces]
    entries += [("IID", "DIID_" + d.name, d.uuid) for d in definition.dispinterfaces]
    entries += [("CLSID", "CLSID_" + c.name, c.uuid) for c in definition.coclasses]
    out = [BANNER.rstrip("\n"), '#include "kinfold.h"', ""]
    out += ['extern "C" const %s %s = %s;' % (t, n, _initializer(g)) for t, n, g in entries]
    return "\n".join(out) + "\n"
