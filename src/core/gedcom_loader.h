// Turns the stream of lines from the reader into record objects: level-0
// lines open records through the database, deeper lines go to the record or
// sub-record open at their level, and refused lines are skipped with
// everything under them. Also builds single sub-records on demand.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/gedcom_line.h"
#include "core/gedcom_reader.h"
#include "platform/automation.h"
#include "platform/progress.h"

namespace kinfold {

class RecordBase;
class RecordHost;

// Files of at least this many bytes are loaded on two threads: one reads
// and splits lines while the other builds records from them, and then the
// individuals are indexed and linked on one while the other does the rest.
constexpr uint32_t kTwoThreadBytes = 1024 * 1024;
// The size from which files are loaded so, kTwoThreadBytes unless set (for
// every database of the process; tests lower it to load small files so).
uint32_t TwoThreadsFrom();
void SetTwoThreadsFrom(uint32_t bytes);

// Creates a record object for ParseSubRecord, handing out one reference.
using RecordFactory = HRESULT (*)(RecordBase** record);

class GedcomLoader {
   public:
    explicit GedcomLoader(RecordHost& database) : database_(database) {}
    GedcomLoader(const GedcomLoader&) = delete;
    GedcomLoader& operator=(const GedcomLoader&) = delete;

    GedcomReader& Reader() { return reader_; }

    // The whole of a load: read, dispatch and link. The file stays open
    // afterwards unless the user cancelled.
    HRESULT Load(std::string_view path, Progress& window);
    void ProcessLine();
    void Reset();

    // Builds a record of the factory's kind (a bare record when `factory` is
    // null) from the line at `position` and the lines below it, and links it.
    // `after` receives the position of the first line after the sub-record.
    HRESULT ParseSubRecord(RecordFactory factory, int32_t position, RecordBase** record,
                           int32_t* after);

    // The failure last passed to the error hook, for diagnostics.
    const std::string& LastError() const { return lastError_; }
    // Why the last Load failed, as the user reads it; empty when it did not
    // fail or failed while linking (the database knows the line then).
    const std::string& FailureReason() const { return failure_; }

   private:
    void ChooseDecoding();
    // Read every line of the file into records, in this thread or with
    // a second one reading ahead; false when the user cancelled.
    bool ReadLines(ProgressMarks& marks);
    bool ReadLinesAhead(ProgressMarks& marks);
    // Builds from the line just read (current_), at `position`, and shows
    // the progress; false when the user cancelled.
    bool TakeLine(int32_t position, bool cut, ProgressMarks& marks);
    void NoteLineWithoutLevel(int32_t position, std::string_view text);
    // Notes what tolerant reading did with the line at `position` (shown
    // as `text`).
    void NoteReadingChange(int32_t position, std::string_view text, std::string_view what);
    void PushContext(RecordBase* record);
    // The record keeps the current line as an entry of its own rather than
    // as a child object: it stays the context of the lines under that line,
    // at that line's level, exactly as a child would be.
    void PushKeptLine(RecordBase* record);
    void PopToLevel();
    void ReportError(std::string_view text, HRESULT hr);

    static constexpr uint16_t kNoSkip = 0xFFFF;

    RecordHost& database_;
    GedcomReader reader_;
    GedcomLine current_;
    // An open record, or a line a record kept as an entry (whose lines
    // go to the record's TakeLineUnderKept), with the level it stands at.
    struct Context {
        RecordBase* record;
        int16_t level;
        bool keptLine;
    };
    // Opens `context` on top of the stack.
    void Push(Context context);

    uint16_t skipLevel_ = 0;
    std::vector<Context> contextStack_;
    const Context* currentContext_ = nullptr;
    std::string lastError_;
    std::string failure_;
};

}  // namespace kinfold
