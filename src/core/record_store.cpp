#include "core/record_store.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/fixed_string.h"

namespace kinfold {
namespace {

// Store keys are IDs as a FixedString holds them.
std::string_view Key(std::string_view id) { return BoundText(id); }

// Eight bytes of a key from `from` on, as a number that orders as the bytes
// do; bytes past the key's end count as zeros, which no ID contains, so a
// key orders before every longer key it begins.
uint64_t WordAt(std::string_view key, size_t from) {
    const size_t left = key.size() > from ? key.size() - from : 0;
    uint64_t word = 0;
    if (left >= 8) {
        std::memcpy(&word, key.data() + from, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        word = __builtin_bswap64(word);
#endif
        return word;
    }
    for (size_t i = 0; i < left; ++i)
        word |= uint64_t{static_cast<unsigned char>(key[from + i])} << (56 - 8 * i);
    return word;
}

// A key of up to fifteen bytes is whole in its two words, and its last
// byte, a padding zero, tells it from a longer key.
KeyCheck WordsOf(std::string_view key) { return KeyCheck{WordAt(key, 0), WordAt(key, 8)}; }
bool IsShort(const KeyCheck& words) { return (words.low & 0xFF) == 0; }

// Where a key starts probing: a short key mixes its words, so that it is
// hashed without its bytes; a longer key hashes all of them (FNV-1a).
uint64_t MixOf(const KeyCheck& words) {
    const uint64_t hash = words.high * 0x9E3779B97F4A7C15ull ^ words.low * 0xC2B2AE3D27D4EB4Full;
    return hash ^ hash >> 29;
}
uint64_t HashOf(std::string_view key) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : key) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

// What a slot keeps to recognise its key: a short key's own words, so that a
// match needs no look at the record at all; a longer key's hash with a
// non-zero last byte, which no short key has, after which a match still
// compares the record's ID.
KeyCheck CheckOf(const KeyCheck& words, uint64_t hash) {
    return IsShort(words) ? words : KeyCheck{hash, 1};
}

// The slot a hash starts probing at, for a table of `size` slots (below
// 2^32): the high half of the hash scaled to the size, which needs no power
// of two and no 128-bit product.
size_t HomeSlot(uint64_t hash, size_t size) {
    return static_cast<size_t>(((hash >> 32) * static_cast<uint64_t>(size)) >> 32);
}

// The slot a probe passes to after `slot`, wrapping at the table's end.
size_t NextSlot(size_t slot, size_t size) { return slot + 1 == size ? 0 : slot + 1; }

// Within each run of equal IDs in `items` (in ID order) the last filed is
// the one the file meant; the others let go of what they hold and are
// released.
template <class Item, class Same, class RecordOf>
void DropDisplaced(std::vector<Item>& items, Same same, RecordOf recordOf) {
    size_t kept = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i + 1 < items.size() && same(items[i], items[i + 1])) {
            RecordBase* displaced = recordOf(items[i]);
            displaced->DropReferences();
            displaced->Release();
        } else {
            items[kept++] = items[i];
        }
    }
    items.resize(kept);
}

// A record with its key's words at hand, so that ordering, finding equal IDs
// and indexing read a record's ID only for keys longer than the words hold.
struct SortEntry {
    KeyCheck words;
    uint32_t filed;  // order of filing, which decides among equal IDs
    RecordBase* record;
};

bool SameKey(const SortEntry& a, const SortEntry& b) {
    return a.words == b.words && (IsShort(a.words) || Key(a.record->Id()) == Key(b.record->Id()));
}

// Byte order, as IDs compare while a file loads; among equal IDs, filing order.
bool Precedes(const SortEntry& a, const SortEntry& b) {
    if (a.words.high != b.words.high) return a.words.high < b.words.high;
    if (a.words.low != b.words.low) return a.words.low < b.words.low;
    if (!IsShort(a.words)) {
        const int order = Key(a.record->Id()).compare(Key(b.record->Id()));
        if (order != 0) return order < 0;
    }
    return a.filed < b.filed;
}

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
    index_.clear();
    std::vector<SortEntry> entries;
    try {
        entries.reserve(records_.size());
    } catch (const std::bad_alloc&) {
        SealWithoutIndex();
        return;
    }
    for (size_t i = 0; i < records_.size(); ++i)
        entries.push_back({WordsOf(Key(records_[i]->Id())), static_cast<uint32_t>(i), records_[i]});
    std::sort(entries.begin(), entries.end(), Precedes);

    DropDisplaced(entries, SameKey, [](const SortEntry& entry) { return entry.record; });
    const size_t kept = entries.size();
    records_.resize(kept);
    for (size_t i = 0; i < kept; ++i) records_[i] = entries[i].record;
    std::vector<SortEntry>().swap(entries);

    // Four fifths full at most: linear probing then passes about two slots
    // per lookup that finds its record, mostly in one cache line. Without
    // memory for the index, lookups search the ordered records instead.
    const size_t size = kept + kept / 4 + 1;
    try {
        index_.assign(size, Slot{nullptr, KeyCheck{0, 0}});
    } catch (const std::bad_alloc&) {
        return;
    }
    // The entries are gone, so that their memory and the index's are never
    // held at once: the keys are read again from the records, fetched ahead
    // (the record, then its ID) as this reads them in order.
    constexpr size_t kRecordsAhead = 16, kIdsAhead = 8;
    for (size_t i = 0; i < kept; ++i) {
        if (i + kRecordsAhead < kept) __builtin_prefetch(records_[i + kRecordsAhead]);
        if (i + kIdsAhead < kept) __builtin_prefetch(records_[i + kIdsAhead]->IdBlock());
        RecordBase* record = records_[i];
        const std::string_view key = Key(record->Id());
        const KeyCheck words = WordsOf(key);
        const uint64_t hash = IsShort(words) ? MixOf(words) : HashOf(key);
        size_t slot = HomeSlot(hash, size);
        while (index_[slot].record != nullptr) slot = NextSlot(slot, size);
        index_[slot] = Slot{record, CheckOf(words, hash)};
    }
}

// Without memory to order through, the records are ordered in place and
// found by binary search.
void RecordStore::SealWithoutIndex() {
    std::stable_sort(records_.begin(), records_.end(),
                     [](RecordBase* a, RecordBase* b) { return Key(a->Id()) < Key(b->Id()); });
    DropDisplaced(
        records_, [](RecordBase* a, RecordBase* b) { return Key(a->Id()) == Key(b->Id()); },
        [](RecordBase* record) { return record; });
}

void RecordStore::Clear() {
    std::vector<RecordBase*> records;
    records.swap(records_);
    std::vector<Slot>().swap(index_);
    for (RecordBase* record : records) {
        record->DropReferences();
        record->Release();
    }
}

void RecordStore::MoveRecordsTo(std::vector<RecordBase*>& records) {
    records.insert(records.end(), records_.begin(), records_.end());
    std::vector<RecordBase*>().swap(records_);
    std::vector<Slot>().swap(index_);
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
    const size_t size = index_.size();
    const KeyCheck words = WordsOf(key);
    const bool shortKey = IsShort(words);
    const uint64_t hash = shortKey ? MixOf(words) : HashOf(key);
    const KeyCheck check = CheckOf(words, hash);
    for (size_t slot = HomeSlot(hash, size); index_[slot].record != nullptr;
         slot = NextSlot(slot, size)) {
        if (!(index_[slot].check == check)) continue;
        RecordBase* record = index_[slot].record;
        if (shortKey || Key(record->Id()) == key) return record;
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
