// Sub-lines of a record that a large file holds by the million (events and
// attributes of individuals and families, whose objects are of the fact and
// event kind), kept from loading as a few bytes
// each: where the line is, its level and its confidentiality state. The
// record object for a line is made the first time a host asks for it and is
// kept from then on, so every later read gives the same object, with the
// state and host tag it was given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>

#include "core/gedcom_line.h"
#include "core/pool_vector.h"
#include "core/record_base.h"
#include "core/record_factory.h"

namespace kinfold {

class RecordHost;

// The opening line of a kept line's object, read from `database`'s file as
// the loader would have given it; without the file (or when another line
// stands there now), a line with the position and level only.
GedcomLine KeptOpeningLine(RecordHost* database, int32_t position, int16_t level);

// Whether an object made from a kept line needs its opening line's texts
// from the file, or has all it answers from memory in what was kept.
enum class OpeningLine { FromFile, KeptOnly };

// Makes the object of `kind` for a line kept at `position`: its opening line
// as KeptOpeningLine gives it (or, KeptOnly, the position and level alone),
// then `keep(object)` hands it what was kept of the line at load (and may
// throw std::bad_alloc). Null when it cannot be made; otherwise the caller
// holds the one reference.
template <class Keep>
RecordBase* MakeKeptLineObject(RecordKind kind, RecordHost* database, int32_t position,
                               int16_t level, OpeningLine opening, Keep keep) {
    RecordBase* object = nullptr;
    if (FAILED(CreateRecord(kind, &object))) return nullptr;
    try {
        object->TakeOpeningLine(KeptOpeningLine(
            opening == OpeningLine::FromFile ? database : nullptr, position, level));
        keep(*object);
    } catch (const std::bad_alloc&) {
        object->Release();
        return nullptr;
    }
    object->SetDatabase(database);
    return object;
}

// One kept line seen through its owner: reads the lines under it without
// making its object. Empty (false) for a line that is not there.
class SubLine {
   public:
    SubLine() = default;
    SubLine(const RecordBase& owner, int32_t position, int32_t state)
        : owner_(&owner), position_(position), state_(state) {}

    explicit operator bool() const { return owner_ != nullptr; }
    int32_t ConfidentialState() const { return state_; }
    // The value of the first `tag` line directly under this line, or "".
    std::string ReadTagValue(std::string_view tag) const {
        return owner_ != nullptr ? owner_->ReadTagValue(tag, position_) : std::string();
    }

   private:
    const RecordBase* owner_ = nullptr;
    int32_t position_ = -1;
    int32_t state_ = 2;
};

class LazyRecordList {
   public:
    LazyRecordList() = default;
    LazyRecordList(const LazyRecordList&) = delete;
    LazyRecordList& operator=(const LazyRecordList&) = delete;
    ~LazyRecordList();

    // Keeps `line`; false when memory runs out.
    bool Add(const GedcomLine& line);

    size_t Size() const { return lines_.size(); }
    int32_t PositionAt(size_t index) const { return lines_[index].position; }
    // The state of the line's object once made, else the state kept for it.
    int32_t ConfidentialStateAt(size_t index) const;
    void SetConfidentialState(int32_t state);
    // The line seen through `owner`; empty for an index past the end.
    SubLine LineAt(const RecordBase& owner, size_t index) const;

    // The object for line `index` of `owner`'s list, made now if it was not
    // yet; null when it cannot be made. The list keeps its own reference.
    RecordBase* ObjectAt(const RecordBase& owner, size_t index) const;

    // The database is going: made objects let go of it. Lines not made yet
    // will be made from what the list keeps, without the file, as their
    // owner has let go of it too.
    void DropReferences();

   private:
    struct Line {
        int32_t position;
        int16_t level;
        int16_t state;
        RecordBase* object;
    };

    mutable PoolVector<Line> lines_;
};

}  // namespace kinfold
