// The records of one kind, ordered by ID. Records are appended while the
// file loads and put in order once loading ends (Seal), which is cheaper
// than keeping a tree ordered line by line and costs one pointer per record.
// Sealing also builds a hash index of the IDs, through which linking finds
// the target of each pointer in constant time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/record_base.h"

namespace kinfold {

// What an index slot keeps to recognise its key without reading the record.
struct KeyCheck {
    uint64_t high;
    uint64_t low;
    bool operator==(const KeyCheck& other) const { return high == other.high && low == other.low; }
};

class RecordStore {
   public:
    RecordStore() = default;
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;
    ~RecordStore() { Clear(); }

    // Files a record (one reference taken). Its ID may still be unset.
    bool Add(RecordBase* record);
    // Orders the records by ID and indexes them; of records sharing an ID
    // the one filed last stays and the others are released.
    void Seal();
    // Lets each record drop its references to other objects, then releases it.
    void Clear();
    // Empties the store, appending its records with their references to
    // `records` (which has room for them).
    void MoveRecordsTo(std::vector<RecordBase*>& records);

    RecordBase* Find(std::string_view id) const;
    size_t Size() const { return records_.size(); }
    RecordBase* At(size_t index) const { return records_[index]; }
    std::vector<RecordBase*>::const_iterator begin() const { return records_.begin(); }
    std::vector<RecordBase*>::const_iterator end() const { return records_.end(); }

   private:
    void SealWithoutIndex();
    RecordBase* FindOrdered(std::string_view key) const;

    std::vector<RecordBase*> records_;
    // Open addressing over the records, each slot with a check of its key
    // beside the record, so that a lookup mostly reads nothing but its slot.
    struct Slot {
        RecordBase* record;
        KeyCheck check;
    };
    std::vector<Slot> index_;
};

}  // namespace kinfold
