// The records a database built on demand and handed to a host, which may
// keep them after the database is cleared for the next load or released.
// Clearing makes each of them let go of the database and of the records it
// points to, so that a kept object never reads freed memory.
#pragma once

#include <cstddef>
#include <vector>

#include "core/record_base.h"

namespace kinfold {

// A walk over a large file builds and drops a place or a citation per
// person, so the set is open addressing over the records' addresses: adding
// and removing one allocates nothing.
class HandedOutRecords {
   public:
    HandedOutRecords() = default;
    HandedOutRecords(const HandedOutRecords&) = delete;
    HandedOutRecords& operator=(const HandedOutRecords&) = delete;

    // False when there is no memory to list the record.
    bool Add(RecordBase& record);
    // Called by the record's destructor.
    void Remove(RecordBase& record);
    void DropAll();

   private:
    size_t HomeOf(const RecordBase* record) const;
    void Insert(RecordBase* record);
    bool Grow();

    // A power of two of slots, null where empty, at most half of them used.
    std::vector<RecordBase*> slots_;
    size_t count_ = 0;
};

}  // namespace kinfold
