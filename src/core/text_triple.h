// Three short texts kept in one block: the ID, value and pointer of a
// record's opening line, or the given name, surname and full name of a kept
// NAME line. Millions of these exist in a large file and most have one or two
// of the three texts, so one block with three lengths costs less than a block
// (and a pointer) for each.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

#include "core/object_pool.h"

namespace kinfold {

class TextTriple {
   public:
    TextTriple() = default;
    TextTriple(const TextTriple&) = delete;
    TextTriple& operator=(const TextTriple&) = delete;
    TextTriple(TextTriple&& other) noexcept : data_(other.data_) { other.data_ = nullptr; }
    TextTriple& operator=(TextTriple&& other) noexcept {
        if (this != &other) {
            Release();
            data_ = other.data_;
            other.data_ = nullptr;
        }
        return *this;
    }
    ~TextTriple() { Release(); }

    // Throws std::bad_alloc when memory runs out; the texts are then unchanged.
    void Assign(std::string_view first, std::string_view second, std::string_view third) {
        char* fresh = nullptr;
        const size_t size = first.size() + second.size() + third.size();
        if (size != 0) {
            // Texts come from 280-character line buffers; lengths fit 16 bits.
            const uint16_t lengths[3] = {static_cast<uint16_t>(first.size()),
                                         static_cast<uint16_t>(second.size()),
                                         static_cast<uint16_t>(third.size())};
            fresh = static_cast<char*>(ObjectPool::Allocate(kHeader + size));
            if (fresh == nullptr) throw std::bad_alloc();
            std::memcpy(fresh, lengths, kHeader);
            char* text = fresh + kHeader;
            for (std::string_view part : {first, second, third}) {
                if (!part.empty()) std::memcpy(text, part.data(), part.size());
                text += part.size();
            }
        }
        Release();
        data_ = fresh;
    }

    // Where the texts are kept (null when all are empty), for prefetching.
    const void* Block() const { return data_; }

    // Text 0, 1 or 2, as assigned.
    std::string_view Part(int index) const {
        if (data_ == nullptr) return {};
        uint16_t lengths[3];
        std::memcpy(lengths, data_, kHeader);
        size_t offset = kHeader;
        for (int i = 0; i < index; ++i) offset += lengths[i];
        return std::string_view(data_ + offset, lengths[index]);
    }
   private:
    static constexpr size_t kHeader = 3 * sizeof(uint16_t);

    size_t Size() const {
        uint16_t lengths[3];
        std::memcpy(lengths, data_, kHeader);
        return kHeader + lengths[0] + lengths[1] + lengths[2];
    }
    void Release() {
        if (data_ != nullptr) ObjectPool::Free(data_, Size());
    }

    char* data_ = nullptr;
};

}  // namespace kinfold
