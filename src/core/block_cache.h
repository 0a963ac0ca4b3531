// Blocks of the open file read lately. A record member re-reads a few lines
// of its record (an event's date, then its place; a citation, then its
// source), and a walk comes back to records it read a moment ago, so after
// a seek the reader fills its window from here: blocks held cost a copy, and
// those missing cost one system call together. The long sequential reads of
// the load go past it.
//
// Blocks are small, since a walk in ID order may meet a new stretch of the
// file at every record: a miss then reads hardly more than the few hundred
// bytes asked for. They are kept four to a set, by block number, and a set
// gives up the block used least recently.
//
// The file may change under an open database. Its size is looked at every
// kRecheckInterval-th read, and whenever a read of the file disagrees with
// the size last seen (it ends short of it or runs past it); a change drops
// every block. So a file that shrinks or grows is seen by the first read that
// meets the change, and within kRecheckInterval reads by those that do not.
// A rewrite that keeps the size is seen block by block, as blocks leave and
// are read again: until then each block answers the bytes one read found
// there. A block read short of the size failed (or met the file shrinking)
// and is not kept, so the next read tries it again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/raw_file.h"

namespace kinfold {

class BlockCache {
   public:
    static constexpr size_t kBlockBytes = 512;
    static constexpr size_t kWays = 4;
    static constexpr size_t kSets = 128;
    // The most bytes one read may ask for.
    static constexpr size_t kMaxRead = 16 * 1024;
    static constexpr uint32_t kRecheckInterval = 64;

    BlockCache();
    ~BlockCache();
    BlockCache(const BlockCache&) = delete;
    BlockCache& operator=(const BlockCache&) = delete;

    // Forgets every block, for a file of `size` bytes.
    void Reset(uint64_t size);
    // Copies up to `count` (at most kMaxRead) bytes of `file` from `offset`
    // into `buffer`; fewer at the end of the file or where a read of it
    // failed.
    size_t Read(RawFile& file, uint64_t offset, char* buffer, size_t count);

   private:
    static constexpr size_t kMaxBlocksPerRead = kMaxRead / kBlockBytes + 1;

    struct Slot {
        uint64_t block;
        uint64_t lastUse;
        size_t length;
    };

    // One try of Read; false when the blocks were dropped midway, so that
    // what it gathered may mix two versions of the file.
    bool TryRead(RawFile& file, uint64_t offset, char* buffer, size_t count, size_t& done);
    // The slot holding `block`, or null.
    const Slot* Find(uint64_t block);
    // Reads blocks [first, last] into the staging buffer in one call.
    size_t ReadSpan(RawFile& file, uint64_t first, uint64_t last);
    // Keeps the blocks of the span just read that hold what the size says.
    void KeepSpan(uint64_t first, uint64_t last, size_t got);
    void CheckSize(RawFile& file);
    void DropAll();
    // How many of `count` bytes from `start` a file of the size last seen has.
    size_t ExpectedLength(uint64_t start, size_t count) const;
    char* BytesOf(const Slot& slot) const {
        return storage_.get() + static_cast<size_t>(&slot - slots_) * kBlockBytes;
    }

    std::unique_ptr<char[]> storage_;
    std::unique_ptr<char[]> staging_;
    Slot slots_[kSets * kWays];
    uint64_t uses_ = 0;
    uint64_t drops_ = 0;
    uint64_t size_ = 0;  // as the last look found it
    uint32_t untilRecheck_ = kRecheckInterval;
};

}  // namespace kinfold
