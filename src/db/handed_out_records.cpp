#include "db/handed_out_records.h"

#include <cstdint>
#include <new>

namespace kinfold {

size_t HandedOutRecords::HomeOf(const RecordBase* record) const {
    // Fibonacci hashing: the product's high bits mix every bit of the address.
    const uint64_t mixed =
        static_cast<uint64_t>(reinterpret_cast<uintptr_t>(record)) * 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(mixed >> 32) & (slots_.size() - 1);
}

void HandedOutRecords::Insert(RecordBase* record) {
    const size_t mask = slots_.size() - 1;
    size_t slot = HomeOf(record);
    while (slots_[slot] != nullptr) {
        if (slots_[slot] == record) return;
        slot = (slot + 1) & mask;
    }
    slots_[slot] = record;
    ++count_;
}

bool HandedOutRecords::Grow() {
    std::vector<RecordBase*> old;
    try {
        old.assign(slots_.empty() ? 64 : slots_.size() * 2, nullptr);
    } catch (const std::bad_alloc&) {
        return false;
    }
    old.swap(slots_);
    count_ = 0;
    for (RecordBase* record : old)
        if (record != nullptr) Insert(record);
    return true;
}

bool HandedOutRecords::Add(RecordBase& record) {
    if ((count_ + 1) * 2 > slots_.size() && !Grow()) return false;
    Insert(&record);
    record.SetHandedOut(true);
    return true;
}

// Deletes without tombstones: each record after the hole, up to the next
// empty slot, moves into it unless its own probe starts after the hole.
void HandedOutRecords::Remove(RecordBase& record) {
    if (slots_.empty()) return;
    const size_t mask = slots_.size() - 1;
    size_t hole = HomeOf(&record);
    while (slots_[hole] != &record) {
        if (slots_[hole] == nullptr) return;
        hole = (hole + 1) & mask;
    }
    for (size_t next = (hole + 1) & mask; slots_[next] != nullptr; next = (next + 1) & mask) {
        const size_t home = HomeOf(slots_[next]);
        // Distances along the probe order: the record may fill the hole when
        // its home lies no further on than the hole.
        if (((next - home) & mask) >= ((next - hole) & mask)) {
            slots_[hole] = slots_[next];
            hole = next;
        }
    }
    slots_[hole] = nullptr;
    --count_;
}

void HandedOutRecords::DropAll() {
    std::vector<RecordBase*> records;
    records.swap(slots_);
    count_ = 0;
    for (RecordBase* record : records) {
        if (record == nullptr) continue;
        record->SetHandedOut(false);
        record->DropReferences();
    }
}

}  // namespace kinfold
