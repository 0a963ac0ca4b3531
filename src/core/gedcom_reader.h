// The open GEDCOM file, read one physical line at a time. It is read once in
// order while loading and then at random, by byte position, every time a
// record member re-reads its lines, so both paths avoid system calls: lines
// come out of a window of the file held in memory, and a seek that lands in
// the window costs nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/fixed_string.h"
#include "core/text_encoding.h"
#include "platform/automation.h"
#include "platform/raw_file.h"

namespace kinfold {

class GedcomLine;

// The text ReadTextValue gives when no line can be read at the position.
constexpr std::string_view kUnexpectedEndOfFile = "Unexpected End Of File.";

// Open's answer for a file whose bytes lie beyond the reach of the signed
// 32-bit positions that lines and records keep (ERROR_FILE_TOO_LARGE).
constexpr HRESULT kFileTooLarge = static_cast<HRESULT>(0x800700DFL);

// The most bytes ReadLine takes for one physical line, as a C library line
// read with a 280-byte buffer takes them: a longer line is cut there and its
// rest comes back as the next line.
constexpr size_t kMaxLineBytes = kFixedStringCapacity - 1;

class GedcomReader {
 public:
    GedcomReader();
    ~GedcomReader();
    GedcomReader(const GedcomReader&) = delete;
    GedcomReader& operator=(const GedcomReader&) = delete;

    // Closes the current file and opens `path`. An empty path only closes
    // (and still answers E_FAIL); a path that cannot be opened leaves the file
    // name empty; so does a file larger than positions reach, refused with
    // kFileTooLarge before anything is read.
    HRESULT Open(std::string_view path);
    // E_FAIL only when no file is open. A position past the end is accepted;
    // the next ReadLine then reports the end of the file.
    HRESULT Seek(uint32_t position);

    // Reads one physical line (up to and including a LF, at most
    // kMaxLineBytes) and parses it into `line`; false at the end of the file.
    // A line that is blank after trimming leaves `line` as it was but still
    // counts as read.
    bool ReadLine(GedcomLine& line);
    // Whether the last line read stopped at kMaxLineBytes before its line
    // feed, so that the next read continues the same line of the file.
    bool LastLineCut() const { return lastLineCut_; }
    // Reads the next line that is not blank, passing over blank ones; false at
    // the end of the file. Every read after loading uses it: a blank line
    // would otherwise show the line before it again, at its old position, and
    // a walk over sub-lines would find the same line for ever.
    bool ReadContentLine(GedcomLine& line);

    // The value of the line at `position` with its CONC and CONT continuations
    // joined; kUnexpectedEndOfFile when that line cannot be read.
    std::string ReadTextValue(int32_t position, bool concatenateWithSpace);

    // Decoding chosen for the open file, Bytes unless its host asked to
    // decode automatically. A CONC line that goes on with a character the
    // line before it broke off joins it without the separating space.
    TextEncoding Encoding() const { return encoding_; }
    void SetEncoding(TextEncoding encoding) { encoding_ = encoding; }
    // The whole open file, read once for choosing its decoding.
    std::string ReadAll();
    // Reads `image` from now on instead of the file, until the next Open:
    // for files whose bytes must be transformed before lines can be read.
    void UseImage(std::string image);

    uint32_t GetLength() const { return length_; }
    const std::string& GetFileName() const { return fileName_; }
    // Byte offset of the next line ReadLine will read.
    uint32_t Position() const { return position_; }

 private:
    void Refill();
    // One physical line; `blank` tells whether it was blank after trimming.
    bool ReadPhysicalLine(GedcomLine& line, bool& blank);

    size_t ReadAt(uint64_t offset, char* buffer, size_t count);

    RawFile file_;
    std::string image_;
    bool useImage_ = false;
    TextEncoding encoding_ = TextEncoding::Bytes;
    std::string fileName_;
    uint32_t position_ = 0;
    uint32_t length_ = 0;
    bool lastLineCut_ = false;

    // The window: file bytes [windowStart_, windowStart_ + windowLength_) as
    // they were when read. windowAtEnd_ says the read that filled it came up
    // short, so nothing lies beyond it.
    std::unique_ptr<char[]> window_;
    uint64_t windowStart_ = 0;
    size_t windowLength_ = 0;
    size_t lastFill_ = 0;
    bool windowAtEnd_ = false;
};

}  // namespace kinfold
