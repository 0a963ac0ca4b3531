// The blocks of the file that record members read at random after loading,
// kept in memory so that a walk over records that lie near each other in the
// file (one individual's birth after another's) costs a copy, not a system
// call, per member. Direct-mapped: a block has one slot, and a newer block of
// the same slot takes it over. The bytes are those of the file when they were
// read; the reader drops them all as soon as a read shows the file shrank.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kinfold {

class BlockCache {
   public:
    static constexpr size_t kBlockSize = 4096;
    static constexpr size_t kSlots = 256;

    // The bytes of block `block` (at file offset block * kBlockSize), or null
    // when they are not kept; `length` is short only for the file's last block.
    const char* Find(uint32_t block, size_t& length) const {
        if (data_ == nullptr) return nullptr;
        const Slot& slot = slots_[block % kSlots];
        if (slot.block != block || slot.length == 0) return nullptr;
        length = slot.length;
        return data_.get() + (block % kSlots) * kBlockSize;
    }

    // The slot's buffer for `block`, to be filled and then kept with Keep;
    // null when memory for the cache cannot be had.
    char* SlotFor(uint32_t block) {
        if (data_ == nullptr) {
            data_.reset(new (std::nothrow) char[kSlots * kBlockSize]);
            if (data_ == nullptr) return nullptr;
        }
        Slot& slot = slots_[block % kSlots];
        slot.length = 0;
        return data_.get() + (block % kSlots) * kBlockSize;
    }
    void Keep(uint32_t block, size_t length) {
        Slot& slot = slots_[block % kSlots];
        slot.block = block;
        slot.length = static_cast<uint32_t>(length);
    }

    void Clear() {
        for (Slot& slot : slots_) slot.length = 0;
    }

   private:
    struct Slot {
        uint32_t block = 0;
        uint32_t length = 0;  // 0: nothing kept
    };

    std::unique_ptr<char[]> data_;
    Slot slots_[kSlots];
};

}  // namespace kinfold
