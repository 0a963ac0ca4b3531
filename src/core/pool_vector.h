// A vector for the millions of short lists a large file has (an individual's
// names, family links and events, a family's children): one pointer in its
// owner, with the size and capacity at the head of a block from the object
// pool, so a list costs 8 bytes where std::vector costs 24, and an empty one
// no block at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>

#include "core/object_pool.h"

namespace kinfold {

template <class T>
class PoolVector {
    static_assert(alignof(T) <= 8, "elements follow an 8-byte header");
    static_assert(std::is_nothrow_move_constructible_v<T>, "growing moves the elements");

   public:
    PoolVector() = default;
    PoolVector(const PoolVector&) = delete;
    PoolVector& operator=(const PoolVector&) = delete;
    ~PoolVector() { Free(block_); }

    size_t size() const { return block_ != nullptr ? Head()->size : 0; }
    bool empty() const { return size() == 0; }
    T* begin() { return Items(); }
    T* end() { return Items() + size(); }
    const T* begin() const { return Items(); }
    const T* end() const { return Items() + size(); }
    T& operator[](size_t index) { return Items()[index]; }
    const T& operator[](size_t index) const { return Items()[index]; }
    T& front() { return Items()[0]; }
    const T& front() const { return Items()[0]; }
    T& back() { return Items()[size() - 1]; }
    const T& back() const { return Items()[size() - 1]; }

    // Throws std::bad_alloc, or what T's constructor throws; the list is then
    // as it was.
    template <class... Args>
    T& emplace_back(Args&&... args) {
        const uint32_t count = static_cast<uint32_t>(size());
        if (block_ == nullptr || count == Head()->capacity) {
            // Most lists stay short: up to four they grow one by one and hold
            // no spare entries; the blocks they leave are reused by the next
            // record's lists.
            Grow(count < 4 ? count + 1 : count * 2, std::forward<Args>(args)...);
        } else {
            new (Items() + count) T(std::forward<Args>(args)...);
        }
        ++Head()->size;
        return back();
    }

    // Removes the elements `drop` picks, the rest keeping their order.
    template <class Drop>
    void remove_if(Drop drop) {
        const uint32_t count = static_cast<uint32_t>(size());
        T* items = Items();
        uint32_t kept = 0;
        for (uint32_t i = 0; i < count; ++i) {
            if (drop(items[i])) {
                items[i].~T();
                continue;
            }
            if (kept != i) {
                new (items + kept) T(std::move(items[i]));
                items[i].~T();
            }
            ++kept;
        }
        if (block_ != nullptr) Head()->size = kept;
    }

    // Empties the list and gives its block back.
    void clear() {
        Free(block_);
        block_ = nullptr;
    }
    void swap(PoolVector& other) noexcept { std::swap(block_, other.block_); }

   private:
    struct Header {
        uint32_t size;
        uint32_t capacity;
    };

    Header* Head() const { return reinterpret_cast<Header*>(block_); }
    T* Items() const {
        return block_ != nullptr ? reinterpret_cast<T*>(block_ + sizeof(Header)) : nullptr;
    }
    static size_t BlockSize(uint32_t capacity) { return sizeof(Header) + capacity * sizeof(T); }

    // Moves the elements to a block of `capacity`, the new one (made from
    // `args`) placed first so that a throwing constructor changes nothing.
    template <class... Args>
    void Grow(uint32_t capacity, Args&&... args) {
        char* fresh = static_cast<char*>(ObjectPool::Allocate(BlockSize(capacity)));
        if (fresh == nullptr) throw std::bad_alloc();
        const uint32_t count = static_cast<uint32_t>(size());
        T* items = reinterpret_cast<T*>(fresh + sizeof(Header));
        try {
            new (items + count) T(std::forward<Args>(args)...);
        } catch (...) {
            ObjectPool::Free(fresh, BlockSize(capacity));
            throw;
        }
        T* old = Items();
        for (uint32_t i = 0; i < count; ++i) {
            new (items + i) T(std::move(old[i]));
            old[i].~T();
        }
        if (block_ != nullptr) ObjectPool::Free(block_, BlockSize(Head()->capacity));
        block_ = fresh;
        *Head() = Header{count, capacity};
    }

    static void Free(char* block) {
        if (block == nullptr) return;
        auto* head = reinterpret_cast<Header*>(block);
        T* items = reinterpret_cast<T*>(block + sizeof(Header));
        for (uint32_t i = 0; i < head->size; ++i) items[i].~T();
        ObjectPool::Free(block, BlockSize(head->capacity));
    }

    char* block_ = nullptr;
};

}  // namespace kinfold
