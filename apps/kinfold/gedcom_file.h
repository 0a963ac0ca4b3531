// Opening a GEDCOM file for a command, with messages that say what is wrong
// with a file that cannot be loaded: it is missing, a folder, empty, binary,
// UTF-16 text, not GEDCOM at all, or corrupt (and where).
#pragma once

#include <string>
#include <vector>

#include "object_access.h"

namespace kinfold::cli {

struct LoadedFile {
    Ref<IGEDCOMdb> db;
    double seconds = 0;  // the time LoadGEDCOMFile took
    // What tolerant reading left out or changed, one text per line.
    std::vector<std::string> dropped;
};

// How a file is read: its TextEncoding ("bytes" or "auto") and whether the
// database's tolerant reading is on (pointers that name no record dropped,
// long lines read whole, lines with no level joined to the line before,
// CONC joined with no space).
struct Reading {
    std::string encoding;
    bool tolerant = false;
};

// Creates a database, sets it to read as `reading` says and loads `path`
// into it. On failure `error` says why in one line (without the program's
// name) and `db` is empty.
LoadedFile LoadGedcomFile(const std::string& path, const Reading& reading, std::string* error);

// Why `path` names no file that could be read (it is missing or a folder),
// or "" when it names one.
std::string UnreadableReason(const std::string& path);

// Why the bytes at the start of a file show it is no GEDCOM text, or "" when
// they look like one. UTF-16 is GEDCOM text only when it is decoded.
std::string NotGedcomReason(const std::string& head, bool decoded);

// The first problem that makes the loader call the file corrupt, as
// "line N: TAG @X@ names no record", or "" when there is none.
std::string CorruptLine(const std::string& path, const std::string& encoding);

}  // namespace kinfold::cli
