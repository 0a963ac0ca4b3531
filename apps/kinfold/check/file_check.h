// kinfold check: what is wrong with a GEDCOM file, found in one pass over its
// lines as the loader reads them (the library's own reader and line
// splitting), then from the index of its IDs and pointers.
#pragma once

#include <string>

#include "check/problem.h"

namespace kinfold::cli {

struct CheckResult {
    // Empty when the file was read; else why it could not be, in a few words.
    std::string unreadable;
    uint32_t lines = 0;
    Problems problems;  // in the order of their lines
};

// `encoding` is the TextEncoding the other commands load the file with:
// "bytes", or "auto", where the file is checked as the loader decodes it.
CheckResult CheckFile(const std::string& path, const std::string& encoding = "bytes");

}  // namespace kinfold::cli
