#!/usr/bin/env python3
"""Generates the native build's view of include/kinfold.idl.

    idlgen.py IDL OUTDIR     writes OUTDIR/kinfold.h, kinfold_i.cpp,
                             kinfold_dispatch.cpp and kinfold_unimplemented.h
    idlgen.py --dump IDL     prints the canonical member list

Only the Python standard library is used. Outputs are rewritten only when
their text changes, so an unchanged IDL does not rebuild its dependants.
"""

import os
import sys

# The build runs this from the source tree: leave no __pycache__ there.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from kinfold_idl.dispatch_writer import WriteDispatchTables  # noqa: E402
from kinfold_idl.dump_writer import WriteDump  # noqa: E402
from kinfold_idl.guid_writer import WriteGuids  # noqa: E402
from kinfold_idl.header_writer import WriteHeader  # noqa: E402
from kinfold_idl.parser import IdlError, ParseIdl  # noqa: E402
from kinfold_idl.unimplemented_writer import WriteUnimplemented  # noqa: E402


def _read(path):
    with open(path, encoding="utf-8") as f:
        return ParseIdl(f.read(), os.path.basename(path))


def _write_if_changed(path, text):
    try:
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return
    except FileNotFoundError:
        pass
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == "--dump":
            sys.stdout.write(WriteDump(_read(argv[2])))
            return 0
        if len(argv) != 3:
            sys.stderr.write(__doc__)
            return 2
        definition = _read(argv[1])
        outputs = {
            "kinfold.h": WriteHeader(definition),
            "kinfold_i.cpp": WriteGuids(definition),
            "kinfold_dispatch.cpp": WriteDispatchTables(definition),
            "kinfold_unimplemented.h": WriteUnimplemented(definition),
        }
    except IdlError as error:
        sys.stderr.write("idlgen: %s\n" % error)
        return 1
    os.makedirs(argv[2], exist_ok=True)
    for name, text in outputs.items():
        _write_if_changed(os.path.join(argv[2], name), text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
