#include "db/handed_out_records.h"

#include <new>
#include <utility>

namespace kinfold {

void HandedOutRecords::Add(RecordBase& record) {
    try {
        records_.insert(&record);
        record.SetHandedOut(true);
    } catch (const std::bad_alloc&) {
        record.DropReferences();
    }
}

void HandedOutRecords::DropAll() {
    std::unordered_set<RecordBase*> records;
    records.swap(records_);
    for (RecordBase* record : records) {
        record->SetHandedOut(false);
        record->DropReferences();
    }
}

}  // namespace kinfold
