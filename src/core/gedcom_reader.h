// The open GEDCOM file, read one physical line at a time. It is read once in
// order while loading and then at random, by byte position, every time a
// record member re-reads its lines, so both paths avoid system calls: lines
// come out of a window of the file held in memory, a seek that lands in the
// window costs nothing, and one that lands elsewhere refills it from blocks
// of the file read lately (BlockCache).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/block_cache.h"
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

// The most bytes one physical line takes when long lines are read whole;
// the rest of a longer line is passed over.
constexpr size_t kLongLineBytes = 65536;

// What a physical line held: nothing but blanks, a GEDCOM line, or (when
// such lines are recognised) text that does not start with a level number.
enum class LineKind : uint8_t { Blank, Content, NoLevel };

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

    // Tolerant reading, for the file open now and those opened later: long
    // lines read whole (up to kLongLineBytes, the rest passed over), and
    // lines that do not start with a level number told apart (LineKind).
    void SetTolerance(bool readLongLines, bool recogniseLinesWithoutLevel);

    // Reads one physical line (up to and including a LF, at most
    // kMaxLineBytes, or kLongLineBytes when long lines are read whole) and
    // parses it into `line`; false at the end of the file. A line that is
    // blank after trimming, or has no level number where those are
    // recognised, leaves `line` as it was but still counts as read; `kind`,
    // when given, says which it was.
    bool ReadLine(GedcomLine& line, LineKind* kind = nullptr);
    // Whether the last line read stopped at its most bytes before its line
    // feed. Split at kMaxLineBytes, the next read continues the same line of
    // the file; cut at kLongLineBytes, the rest of it has been passed over.
    bool LastLineCut() const { return lastLineCut_; }
    // The whole text of the last physical line read, up to its line feed or
    // a NUL byte, untrimmed; valid until the next read or seek.
    std::string_view LastLineText() const { return lastText_; }
    // Where the last physical line read starts.
    int32_t LastLinePosition() const { return lastPosition_; }
    // Reads the next GEDCOM line, passing over blank ones (and those with no
    // level number, where recognised); false at the end of the file. Every
    // read after loading uses it: a blank line would otherwise show the line
    // before it again, at its old position, and a walk over sub-lines would
    // find the same line for ever.
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
    bool UsesImage() const { return useImage_; }

    uint32_t GetLength() const { return length_; }
    const std::string& GetFileName() const { return fileName_; }
    // Byte offset of the next line ReadLine will read.
    uint32_t Position() const { return position_; }
    // Up to `count` bytes of the open file (or image) from `offset`, without
    // moving the reader.
    size_t ReadBytes(uint64_t offset, char* buffer, size_t count) {
        return ReadAt(offset, buffer, count);
    }

 private:
    // Fills the window from the position, with at least `atLeast` bytes
    // when the file has them.
    void Refill(size_t atLeast);
    bool ReadPhysicalLine(GedcomLine& line, LineKind& kind);
    // Moves the position past the next line feed.
    void PassOverRestOfLine();
    // The value of `line`, just read: whole, when long lines are read whole.
    std::string_view WholeValue(const GedcomLine& line) const;

    size_t ReadAt(uint64_t offset, char* buffer, size_t count);

    RawFile file_;
    std::string image_;
    bool useImage_ = false;
    TextEncoding encoding_ = TextEncoding::Bytes;
    std::string fileName_;
    uint32_t position_ = 0;
    uint32_t length_ = 0;
    bool lastLineCut_ = false;
    std::string_view lastText_;
    std::string cutText_;  // a line cut at kLongLineBytes, whose window is gone
    int32_t lastPosition_ = -1;
    bool readLongLines_ = false;
    bool recogniseLinesWithoutLevel_ = false;

    // The window: file bytes [windowStart_, windowStart_ + windowLength_) as
    // they were when read. windowAtEnd_ says the read that filled it came up
    // short, so nothing lies beyond it.
    std::unique_ptr<char[]> window_;
    uint64_t windowStart_ = 0;
    size_t windowLength_ = 0;
    size_t lastFill_ = 0;
    bool windowAtEnd_ = false;
    BlockCache cache_;
};

}  // namespace kinfold
