// The ID, value and pointer of a record's opening line, kept in one block.
// Millions of records exist in a large file and most have one or two of the
// three texts, so one block with three lengths costs less than a block (and
// a pointer) for each.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

#include "core/object_pool.h"

namespace kinfold {

class OpeningTexts {
   public:
    OpeningTexts() = default;
    OpeningTexts(const OpeningTexts&) = delete;
    OpeningTexts& operator=(const OpeningTexts&) = delete;
    ~OpeningTexts() { Release(); }

    // Throws std::bad_alloc when memory runs out; the texts are then unchanged.
    void Assign(std::string_view id, std::string_view value, std::string_view pointer) {
        char* fresh = nullptr;
        const size_t size = id.size() + value.size() + pointer.size();
        if (size != 0) {
            // Texts come from 280-character line buffers; lengths fit 16 bits.
            const uint16_t lengths[3] = {static_cast<uint16_t>(id.size()),
                                         static_cast<uint16_t>(value.size()),
                                         static_cast<uint16_t>(pointer.size())};
            fresh = static_cast<char*>(ObjectPool::Allocate(kHeader + size));
            if (fresh == nullptr) throw std::bad_alloc();
            std::memcpy(fresh, lengths, kHeader);
            char* text = fresh + kHeader;
            for (std::string_view part : {id, value, pointer}) {
                if (!part.empty()) std::memcpy(text, part.data(), part.size());
                text += part.size();
            }
        }
        Release();
        data_ = fresh;
    }

    std::string_view Id() const { return Part(0); }
    std::string_view Value() const { return Part(1); }
    std::string_view Pointer() const { return Part(2); }

   private:
    static constexpr size_t kHeader = 3 * sizeof(uint16_t);

    std::string_view Part(int index) const {
        if (data_ == nullptr) return {};
        uint16_t lengths[3];
        std::memcpy(lengths, data_, kHeader);
        size_t offset = kHeader;
        for (int i = 0; i < index; ++i) offset += lengths[i];
        return std::string_view(data_ + offset, lengths[index]);
    }
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
