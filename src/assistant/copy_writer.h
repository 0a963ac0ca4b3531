// Writes a copy of a file made of byte ranges of the file, kept as they
// are, and lines put in between. Ranges that follow each other are read as
// one, so a copy that changes little costs little more than the copy. A
// UTF-16 file is read as its UTF-8 image; the copy is written back in the
// file's byte order, with the byte-order mark when the file had one.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/encoding_detection.h"
#include "platform/output_file.h"

namespace kinfold {

class CopyWriter {
   public:
    // Reads up to `count` bytes of the file at `offset` into `buffer`.
    using ReadSource = std::function<size_t(uint64_t offset, char* buffer, size_t count)>;

    CopyWriter(OutputFile& output, ReadSource source, Utf16 utf16, bool utf16Mark);

    // Keeps the bytes [from, to) of the file.
    void Keep(uint32_t from, uint32_t to);
    // Writes `lines` (each ended by `\n`) with the file's own line ends, on
    // a line of their own.
    void Insert(std::string_view lines);
    // Writes what is still pending; false when the file could not be read
    // to the end of a range kept.
    bool Finish();

   private:
    void WritePending();
    void Emit(std::string_view bytes);
    // The line end of the file: CRLF when its first line ends so, else LF.
    const std::string& LineEnd();

    OutputFile& output_;
    ReadSource source_;
    Utf16 utf16_;
    bool markPending_;
    uint32_t pendingFrom_ = 0;
    uint32_t pendingTo_ = 0;
    bool readShort_ = false;
    bool lineEndKnown_ = false;
    std::string lineEnd_ = "\n";
    // The last byte written, so that an inserted line never joins the
    // line before it (a file's last line may have no line end).
    char lastWritten_ = '\n';
    // A UTF-8 sequence cut by a read, waiting for its last bytes.
    std::string carry_;
};

}  // namespace kinfold
