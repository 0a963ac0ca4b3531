// The records a database built on demand and handed to a host, which may
// keep them after the database is cleared for the next load or released.
// Clearing makes each of them let go of the database and of the records it
// points to, so that a kept object never reads freed memory.
#pragma once

#include <unordered_set>

#include "core/record_base.h"

namespace kinfold {

class HandedOutRecords {
   public:
    HandedOutRecords() = default;
    HandedOutRecords(const HandedOutRecords&) = delete;
    HandedOutRecords& operator=(const HandedOutRecords&) = delete;

    // False when there is no memory to list the record.
    bool Add(RecordBase& record);
    // Called by the record's destructor.
    void Remove(RecordBase& record) { records_.erase(&record); }
    void DropAll();

   private:
    std::unordered_set<RecordBase*> records_;
};

}  // namespace kinfold
