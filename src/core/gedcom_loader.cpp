#include "core/gedcom_loader.h"

#include <atomic>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "core/database_options.h"
#include "core/encoding_detection.h"
#include "core/fixed_string.h"
#include "core/line_read_ahead.h"
#include "core/record_base.h"
#include "core/record_host.h"
#include "platform/notifier.h"
#include "platform/progress.h"

namespace kinfold {
namespace {

// A line with no level number is shown as the text it is, cut short.
std::string QuotedLine(std::string_view text) {
    constexpr size_t kShown = 60;
    text = TrimText(text);
    return "\"" + std::string(text.substr(0, kShown)) + (text.size() > kShown ? "...\"" : "\"");
}

// Below this size a file is read in the loading thread: a second thread
// costs more to start than it saves.
std::atomic<uint32_t> twoThreadsFrom{kTwoThreadBytes};

}  // namespace

uint32_t TwoThreadsFrom() { return twoThreadsFrom.load(std::memory_order_relaxed); }
void SetTwoThreadsFrom(uint32_t bytes) { twoThreadsFrom.store(bytes, std::memory_order_relaxed); }

HRESULT GedcomLoader::Load(std::string_view path, Progress& window) {
    failure_.clear();
    const HRESULT opened = reader_.Open(path);
    if (opened == kFileTooLarge) {
        failure_ = "is too large: files of 2 GB or more cannot be read";
        ShowMessage("ERROR: GEDCOM file is too large. Files of 2 GB or more cannot be read.");
    } else if (FAILED(opened)) {
        failure_ = "cannot be opened";
    }
    if (FAILED(opened)) return E_FAIL;
    const DatabaseOptions& options = database_.Options();
    reader_.SetTolerance(options.readLongLines, options.joinLinesWithoutLevel);
    if (options.decodeTextAutomatically) ChooseDecoding();
    const uint32_t length = reader_.GetLength();

    window.Show("Opening Database...");
    window.SetRange(0, length);
    window.SetStep(1);
    window.SetText(std::string("Loading GEDCOM File:\n\n     ").append(path));
    ProgressMarks marks(&window, length);

    Reset();
    const bool read = length >= TwoThreadsFrom() ? ReadLinesAhead(marks) : ReadLines(marks);
    if (!read) {
        failure_ = "was cancelled";
        reader_.Open("");
        Reset();
        window.Destroy();
        return E_FAIL;
    }
    database_.ReadPendingTypeNames();

    HRESULT hr = database_.LinkAll(&window);
    window.Destroy();
    // A cancel while linking is the user's choice, not a fault of the file.
    if (hr == E_ABORT) {
        failure_ = "was cancelled";
        reader_.Open("");
        Reset();
        return E_FAIL;
    }
    if (FAILED(hr)) ShowMessage("ERROR: GEDCOM file is corrupt");
    return hr;
}

bool GedcomLoader::ReadLines(ProgressMarks& marks) {
    LineKind kind = LineKind::Blank;
    while (reader_.ReadLine(current_, &kind)) {
        if (kind == LineKind::NoLevel)
            NoteLineWithoutLevel(reader_.LastLinePosition(), reader_.LastLineText());
        else if (!TakeLine(reader_.LastLinePosition(), reader_.LastLineCut(), marks))
            return false;
    }
    return true;
}

// The lines come as the reader left them: a line of its own is loaded into
// current_, and the degenerate forms change it as a parse would have.
bool GedcomLoader::ReadLinesAhead(ProgressMarks& marks) {
    // On the heap: see LineReadAhead::line_.
    auto lines = std::make_unique<LineReadAhead>(reader_);
    lines->Start();
    while (const LineBatch* batch = lines->Next()) {
        for (size_t i = 0; i < batch->count; ++i) {
            const ReadLineNote& note = batch->notes[i];
            switch (note.kind) {
                case ReadLineKind::NoLevel:
                    NoteLineWithoutLevel(note.position, batch->Text(i));
                    continue;
                case ReadLineKind::Parsed:
                    batch->Load(i, current_);
                    break;
                case ReadLineKind::LevelOnly:
                    current_.SetLevel(note.level);
                    current_.SetPosition(note.position);
                    break;
                case ReadLineKind::Blank:
                    break;
            }
            if (!TakeLine(note.position, note.cut, marks)) return false;
        }
    }
    return true;
}

bool GedcomLoader::TakeLine(int32_t position, bool cut, ProgressMarks& marks) {
    if (cut && database_.Options().readLongLines)
        NoteReadingChange(position, current_.Tag(),
                          "is longer than 65536 bytes; the rest of it is left out");
    ProcessLine();
    return marks.Reach(static_cast<uint32_t>(current_.Position()));
}

void GedcomLoader::NoteLineWithoutLevel(int32_t position, std::string_view text) {
    NoteReadingChange(position, QuotedLine(text),
                      "has no level number; read as part of the line before it");
}

// The record a line stands in is the level-0 record at the bottom of the
// stack; none before the first one or after a line that closed it.
void GedcomLoader::NoteReadingChange(int32_t position, std::string_view text,
                                     std::string_view what) {
    const std::string_view record =
        contextStack_.empty() ? std::string_view() : contextStack_.front().record->Id();
    database_.NoteReadingChange(position, text, record, what);
}

// UTF-16 files, and files with lines ended by a lone CR, are read from an
// image transformed once in memory (UTF-8 with LF line ends); everything
// after, positions included, works on that image as on a file.
void GedcomLoader::ChooseDecoding() {
    EncodingChoice choice = ChooseEncoding(reader_.ReadAll());
    if (choice.useImage) reader_.UseImage(std::move(choice.image));
    reader_.SetEncoding(choice.encoding);
}

void GedcomLoader::Reset() {
    current_.SetLevel(0);
    current_.SetPosition(0);
    current_.ClearId();
    current_.ClearTag();
    current_.ClearValue();
    currentContext_ = nullptr;
    contextStack_.clear();
    skipLevel_ = 0;
}

void GedcomLoader::ProcessLine() {
    const int16_t level = current_.Level();
    if (static_cast<uint16_t>(level) > skipLevel_) return;
    if (level != 0) {
        PopToLevel();
        if (currentContext_ == nullptr) {
            skipLevel_ = static_cast<uint16_t>(level);
            return;
        }
        RecordBase* const record = currentContext_->record;
        RecordBase* child = nullptr;
        const bool accepted = currentContext_->keptLine ? record->TakeLineUnderKept(current_)
                                                        : record->TakeSubLine(current_, &child);
        skipLevel_ = accepted ? kNoSkip : static_cast<uint16_t>(level);
        if (child == record)
            PushKeptLine(record);
        else if (child != nullptr)
            PushContext(child);
        return;
    }
    RecordBase* record = nullptr;
    HRESULT hr = database_.OpenTopLevelRecord(current_, &record);
    if (FAILED(hr)) {
        ReportError("Could Not create COM object", hr);
        return;
    }
    if (record == nullptr) {
        skipLevel_ = 0;
        return;
    }
    PopToLevel();
    skipLevel_ = kNoSkip;
    PushContext(record);
}

void GedcomLoader::PushContext(RecordBase* record) {
    record->TakeOpeningLine(current_);
    record->SetDatabase(&database_);
    Push(Context{record, record->Level(), false});
}

void GedcomLoader::PushKeptLine(RecordBase* record) {
    Push(Context{record, current_.Level(), true});
}

// The line that opened `context` has handed on its ID, value and target.
void GedcomLoader::Push(Context context) {
    current_.ClearId();
    current_.ClearValue();
    current_.SetTarget(nullptr);
    contextStack_.push_back(context);
    currentContext_ = &contextStack_.back();
}

void GedcomLoader::PopToLevel() {
    while (!contextStack_.empty() && contextStack_.back().level >= current_.Level())
        contextStack_.pop_back();
    currentContext_ = contextStack_.empty() ? nullptr : &contextStack_.back();
}

HRESULT GedcomLoader::ParseSubRecord(RecordFactory factory, int32_t position, RecordBase** record,
                                     int32_t* after) {
    *record = nullptr;
    Reset();
    if (FAILED(reader_.Seek(static_cast<uint32_t>(position))) || !reader_.ReadContentLine(current_))
        return E_FAIL;
    const int16_t baseLevel = current_.Level();
    skipLevel_ = kNoSkip;

    RecordBase* object = nullptr;
    HRESULT hr = factory != nullptr ? factory(&object) : database_.CreatePlainRecord(&object);
    if (FAILED(hr)) {
        ReportError(factory != nullptr ? "Could Not create COM object" : "Out of Memory", hr);
        return factory != nullptr ? hr : E_OUTOFMEMORY;
    }
    int32_t end = static_cast<int32_t>(reader_.GetLength());
    try {
        PopToLevel();
        PushContext(object);
        while (reader_.ReadContentLine(current_)) {
            if (current_.Level() <= baseLevel) {
                end = current_.Position();
                break;
            }
            ProcessLine();
        }
        database_.ReadPendingTypeNames();
    } catch (const std::bad_alloc&) {
        // Out of memory part way: the half-built record goes with what it
        // holds, and the loader is ready for the next read.
        Reset();
        object->Release();
        return E_OUTOFMEMORY;
    }
    Reset();
    if (after != nullptr) *after = end;

    hr = object->Link(database_);
    if (FAILED(hr)) {
        object->Release();
        return hr;
    }
    // A record the database cannot list would outlive what it points to.
    if (!database_.TrackHandedOut(*object)) {
        object->Release();
        return E_OUTOFMEMORY;
    }
    *record = object;
    return S_OK;
}

void GedcomLoader::ReportError(std::string_view text, HRESULT hr) {
    lastError_.assign(text).append(" (0x");
    static const char kHex[] = "0123456789ABCDEF";
    for (int shift = 28; shift >= 0; shift -= 4)
        lastError_.push_back(kHex[(static_cast<uint32_t>(hr) >> shift) & 0xF]);
    lastError_.push_back(')');
}

}  // namespace kinfold
