// The physical lines of a file being loaded, read and split in batches on a
// second thread, so that the loader builds records from one batch while the
// reader fills the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "core/gedcom_line.h"
#include "core/gedcom_reader.h"
#include "platform/worker_thread.h"

namespace kinfold {

// What the reader gave for one physical line.
enum class ReadLineKind : uint8_t {
    Parsed,     // a line of its own, stored in the batch's bytes
    LevelOnly,  // an empty first field: the line before, at a new level and position
    Blank,      // the line before, once more
    NoLevel,    // text with no level number (where recognised), in the batch's texts
};

struct ReadLineNote {
    ReadLineKind kind;
    // Stopped at the reader's longest line before its line feed.
    bool cut;
    int16_t level;
    int32_t position;
    // Where the stored line (Parsed) or the text (NoLevel) starts.
    uint32_t offset;
    uint32_t textLength;
};

// Lines go across as their stored bytes, one after the other, rather than
// as GedcomLine objects: a few dozen bytes a line instead of a few hundred,
// read in order, which is what makes handing them to another core pay.
struct LineBatch {
    static constexpr size_t kCapacity = 512;
    ReadLineNote notes[kCapacity];
    size_t count = 0;
    char bytes[kCapacity * GedcomLine::kMostStoredBytes];
    std::string texts;
    // No lines follow this batch.
    bool last = false;
    // Why the reading stopped short: the loader rethrows it.
    std::exception_ptr failure;

    // The text of line `index`, a NoLevel line.
    std::string_view Text(size_t index) const {
        return std::string_view(texts).substr(notes[index].offset, notes[index].textLength);
    }
    // Line `index`, a Parsed line, becomes `line`.
    void Load(size_t index, GedcomLine& line) const { line.LoadFrom(bytes + notes[index].offset); }
};

class LineReadAhead {
   public:
    // Reads from `reader`, which must not be used otherwise until Stop.
    explicit LineReadAhead(GedcomReader& reader) : reader_(reader) {}
    ~LineReadAhead() { Stop(); }
    LineReadAhead(const LineReadAhead&) = delete;
    LineReadAhead& operator=(const LineReadAhead&) = delete;

    // Starts reading from the reader's position on a second thread (in
    // this one, batch by batch, when no thread can be started).
    void Start();
    // The next batch, valid until the next call; null after the last one.
    // Rethrows a failure of the reading.
    const LineBatch* Next();
    // Ends the reading (the reader may then be used again).
    void Stop();

   private:
    static constexpr size_t kBatches = 8;

    void Fill(LineBatch& batch);
    void ReadAhead();

    GedcomReader& reader_;
    // Where the reader parses each line before storing it. What the reader
    // writes at every line stands in cache lines of its own: a cache line it
    // shared with what the loader uses would pass between the cores at every
    // write, which took the load from faster than on one thread to slower.
    alignas(64) GedcomLine line_;
    std::unique_ptr<LineBatch[]> batches_;
    bool ahead_ = false;
    bool ended_ = false;
    // Counts of batches, under the monitor when reading ahead: filled by the
    // reader, taken and handed back by the loader.
    alignas(64) Monitor monitor_;
    WorkerThread thread_;
    size_t filled_ = 0;
    size_t taken_ = 0;
    size_t released_ = 0;
    bool stopping_ = false;
    bool readerWaiting_ = false;
    bool loaderWaiting_ = false;
};

}  // namespace kinfold
