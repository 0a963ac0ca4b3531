// What both fuzz targets need of a host: a database made as a host makes
// it, text in and out as BSTRs, and the check that every object is gone
// once the host has let go of everything.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "kinfold.h"

namespace kinfold::fuzz {

// A new database, or an abort: a fuzz run cannot go on without one.
IGEDCOMdb* NewDatabase();

// Loads the file at `path` into `db`; the out value of LoadGEDCOMFile.
bool Load(IGEDCOMdb* db, std::string_view path);

// A file in the temporary folder that holds each input in turn, made at
// the first call and removed when the run ends.
const std::string& InputPath();
// Writes the input to InputPath(), or aborts.
void WriteInput(const void* data, size_t size);

// What every target does once before its first input: messages meant for
// the user go nowhere (a fuzzed file raises many), and the input file is
// made.
void Initialize();

// The bits of an input byte that set a database's reading: its tolerant
// options, automatic decoding, and loading on two threads.
enum ReadingBit : unsigned char {
    kDropDanglingPointers = 0x01,
    kReadLongLines = 0x02,
    kJoinLinesWithoutLevel = 0x04,
    kDecodeText = 0x08,
    // Loaded on two threads, small as the input is.
    kTwoThreads = 0x10,
};
void SetReading(IGEDCOMdb* db, unsigned char reading);

// Aborts, so that the fuzzer keeps the input, when an automation object is
// still alive or the module could not be unloaded.
void CheckEverythingReleased();

// Frees a BSTR the library handed out; reading it first lets the sanitizers
// see a string that is shorter than it claims.
void Consume(BSTR text);

}  // namespace kinfold::fuzz
