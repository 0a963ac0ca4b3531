#include "db/handed_out_records.h"

#include <new>
#include <utility>

namespace kinfold {

bool HandedOutRecords::Add(RecordBase& record) {
    try {
        records_.insert(&record);
    } catch (const std::bad_alloc&) {
        return false;
    }
    record.SetHandedOut(true);
    return true;
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
