"""defaultvalue(...) literals, read the way the type library stores them."""

import re

from .parser import IdlError, ParseInteger

_NAMED = {"VARIANT_TRUE": -1, "VARIANT_FALSE": 0, "TRUE": 1, "FALSE": 0}


def ReadDefault(text, definition, where):
    """(VARTYPE of the literal, number, text or None)."""
    text = text.strip()
    if text.startswith('"') and text.endswith('"'):
        return "VT_BSTR", 0, text[1:-1]
    if re.fullmatch(r"-?[0-9]+\.[0-9]*", text):
        return "VT_R8", float(text), None
    constants = dict(_NAMED)
    constants.update({c: v for e in definition.enums for c, v in e.values})
    try:
        return "VT_I4", ParseInteger(text, constants), None
    except ValueError:
        raise IdlError("%s: cannot read defaultvalue(%s)" % (where, text))
