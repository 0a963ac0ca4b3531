// The common part of every record object built from the file: a copy of its
// opening line, its database, the loading protocol (TakeOpeningLine,
// TakeSubLine, Link) and the on-demand reads that find sub-lines in the file
// again, below the record's own line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_triple.h"
#include "platform/automation.h"

namespace kinfold {

class GedcomLine;
class GedcomReader;
class RecordHost;
class RecordList;
enum class RecordKind;

// The value of the first `tag` line directly under the line at `position`
// in `reader`'s file; empty when there is none.
std::string ReadSubTagValue(GedcomReader& reader, std::string_view tag, int32_t position);

class RecordBase : public IUnknown {
   public:
    RecordBase() = default;
    RecordBase(const RecordBase&) = delete;
    RecordBase& operator=(const RecordBase&) = delete;
    virtual ~RecordBase();

    // Resolves the pointers of this record and of the child records it holds.
    virtual HRESULT Link(RecordHost& database);

    virtual void TakeOpeningLine(const GedcomLine& line);
    // Offered each line directly below the record while loading: true keeps
    // it (with `child`, when set, receiving the lines below it); false skips
    // the line and everything under it. A record that keeps the line as an
    // entry of its own instead of a child object names itself as `child`:
    // the lines under that line then come to TakeLineUnderKept, as they
    // would have come to the child.
    virtual bool TakeSubLine(const GedcomLine& line, RecordBase** child);
    // A line under the line this record last kept as an entry; true keeps
    // it (its lines come here too), false skips it with its lines.
    virtual bool TakeLineUnderKept(const GedcomLine& line);
    // Called when the database is cleared or destroyed: let go of it and of
    // references to other records, which may be gone before this one is (the
    // host may still hold it). Afterwards the record answers from what it
    // keeps in memory and finds nothing in the file. Records that hold child
    // records pass the call on to them.
    virtual void DropReferences() {
        SetTarget(nullptr);
        database_ = nullptr;
    }

    int16_t Level() const { return level_; }
    int32_t Position() const { return position_; }
    std::string_view Id() const { return texts_.Part(0); }
    std::string_view Value() const { return texts_.Part(1); }
    std::string_view Pointer() const { return texts_.Part(2); }
    // Where the ID is kept, to prefetch before reading many records' IDs.
    const void* IdBlock() const { return texts_.Block(); }
    // The record a pointer line names, once linked. Only records that can be
    // pointer lines keep one (WithTarget); the others have none.
    virtual RecordBase* Target() const { return nullptr; }
    RecordHost* Database() const { return database_; }
    void SetDatabase(RecordHost* database) { database_ = database; }
    virtual void SetTarget(RecordBase*) {}
    // The link step of a pointer: the target becomes the record of `kind`
    // that the pointer names; E_FAIL when the database has none.
    HRESULT LinkPointer(RecordHost& database, RecordKind kind);
    void SetPosition(int32_t position) { position_ = position; }
    // Person records and their names and events are confidential (1), not
    // (0) or not yet decided (2); other records have no such state.
    virtual int32_t ConfidentialState() const { return 2; }
    virtual void SetConfidentialState(int32_t) {}
    // Set while the database lists the record as built on demand.
    void SetHandedOut(bool handedOut) { handedOut_ = handedOut; }

    // On-demand reads below the record's line (all re-read the file).
    bool FindSubTag(std::string_view tag, int32_t& position, bool startAtPosition) const;
    bool FindNextTag(std::string_view tag, int32_t& position, int16_t baseLevel) const;
    std::string ReadTagValue(std::string_view tag) const;
    std::string ReadTagValue(std::string_view tag, int32_t startPosition) const;
    bool ReadTagLine(std::string_view tag, GedcomLine& line) const;
    std::string GetTag() const;
    // The value of the line at `position` with its continuation lines joined.
    std::string ReadText(int32_t position) const;
    // The joined text of the first `tag` line directly under the line at
    // `startPosition` (the record's own line when -1); empty when none.
    std::string ReadTagText(std::string_view tag, int32_t startPosition = -1) const;
    // The value of the first `inner` line directly under the first `outer`
    // line directly under the record's line; empty when either is missing.
    std::string ReadNestedValue(std::string_view outer, std::string_view inner) const;
    HRESULT BuildSubRecords(std::string_view tag, RecordList& list, int32_t startPosition) const;
    // Positions of the `tag` lines directly under the record's line whose
    // pointer is `pointer`, in file order.
    std::vector<int32_t> PointerLines(std::string_view tag, std::string_view pointer) const;

    // Calls `visit(position, after)` for every `tag` line directly under the
    // line at `startPosition` (the record's own line when it is -1), in file
    // order. `visit` returns false to end the walk, and otherwise sets `after`
    // to the first position past what it read under the line. Every list of
    // sub-records is made by this one walk, which only ever moves forward:
    // a visit that does not get past its line ends it.
    template <class Visit>
    void ForEachSubTag(std::string_view tag, int32_t startPosition, Visit visit) const {
        int32_t position = startPosition == -1 ? position_ : startPosition;
        int16_t baseLevel = 0;
        if (!FindFirstSubTag(tag, position, baseLevel)) return;
        for (;;) {
            int32_t after = position;
            if (!visit(position, after) || after <= position) return;
            position = after;
            if (!FindNextTag(tag, position, baseLevel)) return;
        }
    }

   private:
    // FindSubTag from the line at `position`, whose level it also gives;
    // `line`, when given, receives the line found.
    bool FindFirstSubTag(std::string_view tag, int32_t& position, int16_t& baseLevel) const;
    bool FindFirstSubTag(std::string_view tag, int32_t& position, int16_t& baseLevel,
                         GedcomLine& line) const;

    RecordHost* database_ = nullptr;
    TextTriple texts_;  // ID, value, pointer
    int32_t position_ = -1;
    int16_t level_ = 0;
    bool handedOut_ = false;
};

// A record that can be a pointer line: it keeps the record the pointer
// names. Most records never are one, and a large file holds them by the
// hundred thousand, so the slot is theirs only.
template <class Base>
class WithTarget : public Base {
   public:
    RecordBase* Target() const override { return target_; }
    void SetTarget(RecordBase* target) override { target_ = target; }

   private:
    RecordBase* target_ = nullptr;
};

}  // namespace kinfold
