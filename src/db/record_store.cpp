#include "db/record_store.h"

#include <algorithm>

#include "core/fixed_string.h"

namespace kinfold {
namespace {

// Store keys are IDs as a FixedString holds them.
std::string_view Key(std::string_view id) { return BoundText(id); }

}  // namespace

bool RecordStore::Add(RecordBase* record) {
    try {
        records_.push_back(record);
    } catch (...) {
        return false;
    }
    record->AddRef();
    return true;
}

void RecordStore::Seal() {
    std::stable_sort(records_.begin(), records_.end(), [](RecordBase* a, RecordBase* b) {
        return CompareText(Key(a->Id()), Key(b->Id())) < 0;
    });
    // Within a run of equal IDs the last filed is the one the file meant.
    size_t kept = 0;
    for (size_t i = 0; i < records_.size(); ++i) {
        const bool displaced = i + 1 < records_.size() &&
                               CompareText(Key(records_[i]->Id()), Key(records_[i + 1]->Id())) == 0;
        if (displaced) {
            records_[i]->DropReferences();
            records_[i]->Release();
        } else {
            records_[kept++] = records_[i];
        }
    }
    records_.resize(kept);
}

void RecordStore::Clear() {
    std::vector<RecordBase*> records;
    records.swap(records_);
    for (RecordBase* record : records) {
        record->DropReferences();
        record->Release();
    }
}

RecordBase* RecordStore::Find(std::string_view id) const {
    const std::string_view key = Key(id);
    if (CompareCase() == 0) {
        // The order was made case-sensitively; a case-blind search cannot
        // rely on it.
        for (RecordBase* record : records_)
            if (CompareText(Key(record->Id()), key) == 0) return record;
        return nullptr;
    }
    auto it = std::lower_bound(records_.begin(), records_.end(), key,
                               [](RecordBase* record, std::string_view wanted) {
                                   return CompareText(Key(record->Id()), wanted) < 0;
                               });
    if (it != records_.end() && CompareText(Key((*it)->Id()), key) == 0) return *it;
    return nullptr;
}

}  // namespace kinfold

namespace kinfold {

HRESULT ResolvePointer(RecordBase& record, const RecordStore& store) {
    RecordBase* target = store.Find(record.Pointer());
    record.SetTarget(target);
    return target != nullptr ? S_OK : E_FAIL;
}

}  // namespace kinfold
