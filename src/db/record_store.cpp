#include "db/record_store.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/fixed_string.h"

namespace kinfold {
namespace {

constexpr uint64_t kEmptySlot = ~uint64_t{0};

// An index slot holds the high half of the key's hash beside the record's
// position, so that a probe rarely has to read a record's ID to pass it by.
uint64_t SlotOf(uint64_t hash, size_t position) {
    return (hash & ~uint64_t{0xFFFFFFFFu}) | position;
}
size_t PositionIn(uint64_t slot) { return static_cast<size_t>(slot & 0xFFFFFFFFu); }
bool SameHash(uint64_t slot, uint64_t hash) { return (slot ^ hash) >> 32 == 0; }

// Store keys are IDs as a FixedString holds them.
std::string_view Key(std::string_view id) { return BoundText(id); }

// The first eight bytes of a key as a number that orders as the bytes do;
// shorter keys are padded with zeros, which no ID contains, so a key orders
// before every longer key it begins.
uint64_t PrefixOf(std::string_view key) {
    unsigned char bytes[8] = {};
    // An empty key may have no bytes at all, not even an address to copy from.
    if (!key.empty()) std::memcpy(bytes, key.data(), key.size() < 8 ? key.size() : 8);
    uint64_t prefix = 0;
    for (unsigned char byte : bytes) prefix = prefix << 8 | byte;
    return prefix;
}

// FNV-1a over the key's bytes.
uint64_t HashOf(std::string_view key) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : key) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

// A record with what its ordering needs at hand, so that most comparisons
// never follow the pointer to its ID.
struct SortEntry {
    uint64_t prefix;
    uint32_t filed;  // order of filing, which decides among equal IDs
    RecordBase* record;
};

}  // namespace

bool RecordStore::Add(RecordBase* record) {
    try {
        records_.push_back(record);
    } catch (...) {
        return false;
    }
    record->AddRef();
    // The index covers the sealed records only.
    index_.clear();
    return true;
}

void RecordStore::Seal() {
    OrderById();
    // Within a run of equal IDs the last filed is the one the file meant.
    size_t kept = 0;
    for (size_t i = 0; i < records_.size(); ++i) {
        const bool displaced =
            i + 1 < records_.size() && Key(records_[i]->Id()) == Key(records_[i + 1]->Id());
        if (displaced) {
            records_[i]->DropReferences();
            records_[i]->Release();
        } else {
            records_[kept++] = records_[i];
        }
    }
    records_.resize(kept);
    BuildIndex();
}

// Byte order, as IDs compare while a file loads; among equal IDs, filing order.
void RecordStore::OrderById() {
    std::vector<SortEntry> entries;
    try {
        entries.reserve(records_.size());
    } catch (const std::bad_alloc&) {
        std::stable_sort(records_.begin(), records_.end(),
                         [](RecordBase* a, RecordBase* b) { return Key(a->Id()) < Key(b->Id()); });
        return;
    }
    for (size_t i = 0; i < records_.size(); ++i)
        entries.push_back(
            {PrefixOf(Key(records_[i]->Id())), static_cast<uint32_t>(i), records_[i]});
    std::sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        const int order = Key(a.record->Id()).compare(Key(b.record->Id()));
        return order != 0 ? order < 0 : a.filed < b.filed;
    });
    for (size_t i = 0; i < entries.size(); ++i) records_[i] = entries[i].record;
}

// Without memory for the index, lookups search the ordered records instead.
void RecordStore::BuildIndex() {
    index_.clear();
    size_t size = 16;
    while (size < records_.size() * 2) size *= 2;
    try {
        index_.assign(size, kEmptySlot);
    } catch (const std::bad_alloc&) {
        return;
    }
    const size_t mask = size - 1;
    for (size_t i = 0; i < records_.size(); ++i) {
        const uint64_t hash = HashOf(Key(records_[i]->Id()));
        size_t slot = hash & mask;
        while (index_[slot] != kEmptySlot) slot = (slot + 1) & mask;
        index_[slot] = SlotOf(hash, i);
    }
}

void RecordStore::Clear() {
    std::vector<RecordBase*> records;
    records.swap(records_);
    std::vector<uint64_t>().swap(index_);
    for (RecordBase* record : records) {
        record->DropReferences();
        record->Release();
    }
}

RecordBase* RecordStore::Find(std::string_view id) const {
    const std::string_view key = Key(id);
    if (CompareCase() == 0) {
        // The order was made case-sensitively; a case-blind search cannot
        // rely on it, nor on the index.
        for (RecordBase* record : records_)
            if (CompareText(Key(record->Id()), key) == 0) return record;
        return nullptr;
    }
    if (index_.empty()) return FindOrdered(key);
    const size_t mask = index_.size() - 1;
    const uint64_t hash = HashOf(key);
    for (size_t slot = hash & mask; index_[slot] != kEmptySlot; slot = (slot + 1) & mask) {
        if (!SameHash(index_[slot], hash)) continue;
        RecordBase* record = records_[PositionIn(index_[slot])];
        if (Key(record->Id()) == key) return record;
    }
    return nullptr;
}

RecordBase* RecordStore::FindOrdered(std::string_view key) const {
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
