// An ordered list of records that holds one reference to each.
#pragma once

#include <cstddef>

#include "core/pool_vector.h"
#include "core/record_base.h"

namespace kinfold {

class RecordList {
    using Items = PoolVector<RecordBase*>;

   public:
    RecordList() = default;
    RecordList(const RecordList&) = delete;
    RecordList& operator=(const RecordList&) = delete;
    ~RecordList() { Clear(); }

    // Appends with a new reference; false when memory runs out.
    bool Append(RecordBase* record) {
        try {
            items_.emplace_back(record);
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

    // Takes out, and releases, the records `drop` picks.
    template <class Drop>
    void RemoveIf(Drop drop) {
        items_.remove_if([&](RecordBase* record) {
            if (!drop(static_cast<const RecordBase*>(record))) return false;
            record->Release();
            return true;
        });
    }

    // Lets every record of the list drop its references to other records.
    void DropReferences() const {
        for (RecordBase* record : items_) record->DropReferences();
    }

    size_t Size() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    RecordBase* At(size_t index) const { return items_[index]; }
    RecordBase* Front() const { return items_.empty() ? nullptr : items_.front(); }
    RecordBase* const* begin() const { return items_.begin(); }
    RecordBase* const* end() const { return items_.end(); }

   private:
    Items items_;
};

}  // namespace kinfold
