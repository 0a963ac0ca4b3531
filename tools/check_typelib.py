#!/usr/bin/env python3
"""Checks that a type library made by widl carries the LIBID and version that
the IDL gives its library block.

widl (7.0 and 8.0 alike) writes a wrong LIBID when a dispinterface comes
before the first dual interface inside the library block; hosts then cannot
find the registered library. Failing the build here names the cause.

usage: check_typelib.py FILE.idl FILE.tlb
"""
import re
import struct
import sys
import uuid

HEADER_SIZE = 0x54
HELP_DLL_FLAG = 0x100
SEGMENT_COUNT = 15
GUID_SEGMENT = 5


def idl_library(text):
    text = re.sub(r'//[^\n]*|/\*.*?\*/', '', text, flags=re.S)
    match = re.search(r'\[([^\[\]]*)\]\s*library\s+(\w+)', text)
    if not match:
        raise ValueError('no library block')
    attributes = match.group(1)
    libid = re.search(r'uuid\(\s*([0-9A-Fa-f-]{36})\s*\)', attributes)
    version = re.search(r'version\(\s*(\d+)\.(\d+)\s*\)', attributes)
    if not libid or not version:
        raise ValueError('library %s has no uuid or version' % match.group(2))
    return uuid.UUID(libid.group(1)), (int(version.group(1)), int(version.group(2)))


def typelib_library(data):
    if data[:4] != b'MSFT':
        raise ValueError('not an MSFT type library')
    posguid, = struct.unpack_from('<i', data, 0x08)
    varflags, version, _, typeinfos = struct.unpack_from('<iiii', data, 0x14)
    segments = HEADER_SIZE + (4 if varflags & HELP_DLL_FLAG else 0) + 4 * typeinfos
    if len(data) < segments + 16 * SEGMENT_COUNT:
        raise ValueError('truncated')
    guids, _ = struct.unpack_from('<ii', data, segments + 16 * GUID_SEGMENT)
    start = guids + posguid
    libid = uuid.UUID(bytes_le=bytes(data[start:start + 16]))
    return libid, (version & 0xFFFF, (version >> 16) & 0xFFFF)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], encoding='utf-8', errors='replace') as idl:
        expected = idl_library(idl.read())
    with open(argv[2], 'rb') as tlb:
        found = typelib_library(tlb.read())
    if found != expected:
        sys.stderr.write(
            '%s: LIBID %s version %d.%d, but %s declares %s version %d.%d\n'
            '(widl does this when a dispinterface precedes the first dual interface'
            ' in the library block)\n'
            % (argv[2], found[0], found[1][0], found[1][1],
               argv[1], expected[0], expected[1][0], expected[1][1]))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
