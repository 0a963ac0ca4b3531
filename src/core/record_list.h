// An ordered list of records that holds one reference to each.
#pragma once

#include <cstddef>
#include <vector>

#include "core/object_pool.h"
#include "core/record_base.h"

namespace kinfold {

class RecordList {
    using Items = std::vector<RecordBase*, PoolAllocator<RecordBase*>>;

   public:
    RecordList() = default;
    RecordList(const RecordList&) = delete;
    RecordList& operator=(const RecordList&) = delete;
    ~RecordList() { Clear(); }

    // Appends with a new reference; false when memory runs out.
    bool Append(RecordBase* record) {
        try {
            items_.push_back(record);
        } catch (...) {
            return false;
        }
        record->AddRef();
        return true;
    }
    void Clear() {
        Items items;
        items.swap(items_);
        for (RecordBase* record : items) record->Release();
    }

    // Lets every record of the list drop its references to other records.
    void DropReferences() const {
        for (RecordBase* record : items_) record->DropReferences();
    }

    size_t Size() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    RecordBase* At(size_t index) const { return items_[index]; }
    RecordBase* Front() const { return items_.empty() ? nullptr : items_.front(); }
    Items::const_iterator begin() const { return items_.begin(); }
    Items::const_iterator end() const { return items_.end(); }

   private:
    Items items_;
};

}  // namespace kinfold
