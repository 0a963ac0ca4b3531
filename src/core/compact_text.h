// A short text kept by a record for its whole life (ID, value, pointer of
// its opening line). Most of these are empty, and millions of them exist in a
// large file, so an empty text costs one null pointer and a non-empty one a
// single allocation holding its length and bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

#include "core/object_pool.h"

namespace kinfold {

class CompactText {
   public:
    CompactText() = default;
    explicit CompactText(std::string_view text) { Assign(text); }
    CompactText(const CompactText& other) { Assign(other.View()); }
    CompactText& operator=(const CompactText& other) {
        if (this != &other) Assign(other.View());
        return *this;
    }
    CompactText(CompactText&& other) noexcept : data_(other.data_) { other.data_ = nullptr; }
    CompactText& operator=(CompactText&& other) noexcept {
        if (this != &other) {
            Release();
            data_ = other.data_;
            other.data_ = nullptr;
        }
        return *this;
    }
    ~CompactText() { Release(); }

    void Assign(std::string_view text) {
        char* fresh = nullptr;
        if (!text.empty()) {
            // Texts come from 280-character line buffers; the length fits 16 bits.
            const uint16_t length = static_cast<uint16_t>(text.size());
            fresh = static_cast<char*>(ObjectPool::Allocate(sizeof(length) + length));
            if (fresh == nullptr) throw std::bad_alloc();
            std::memcpy(fresh, &length, sizeof(length));
            std::memcpy(fresh + sizeof(length), text.data(), length);
        }
        Release();
        data_ = fresh;
    }
    void Clear() {
        Release();
        data_ = nullptr;
    }

    std::string_view View() const {
        if (data_ == nullptr) return {};
        uint16_t length;
        std::memcpy(&length, data_, sizeof(length));
        return std::string_view(data_ + sizeof(length), length);
    }
    bool Empty() const { return data_ == nullptr; }

   private:
    void Release() {
        if (data_ != nullptr) ObjectPool::Free(data_, sizeof(uint16_t) + View().size());
    }

    char* data_ = nullptr;
};

}  // namespace kinfold
