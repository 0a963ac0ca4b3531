// The pointer of a kept line (FAMC, FAMS, CHIL, HUSB, WIFE): its text until
// the line is linked, then the record it names, in the same 16 bytes. A large
// file has a million of these, nearly all short ("@I1234@"): those are kept
// in place instead of in a block of their own, which the load would make and
// linking give back; a longer text takes a block until it is linked.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

#include "core/compact_text.h"

namespace kinfold {

class RecordBase;

class PointerSlot {
   public:
    // Linked to nothing.
    PointerSlot() { WriteLinked(nullptr); }
    // Throws std::bad_alloc when a long text finds no memory.
    explicit PointerSlot(std::string_view text) {
        if (text.size() <= kLongestInPlace) {
            std::memcpy(bytes_, text.data(), text.size());
            bytes_[kState] = static_cast<unsigned char>(text.size());
            return;
        }
        new (bytes_) CompactText(text);
        bytes_[kState] = kLong;
    }
    PointerSlot(const PointerSlot&) = delete;
    PointerSlot& operator=(const PointerSlot&) = delete;
    // The moved-from slot is left linked to nothing.
    PointerSlot(PointerSlot&& other) noexcept {
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.WriteLinked(nullptr);
    }
    PointerSlot& operator=(PointerSlot&& other) noexcept {
        if (this != &other) {
            ReleaseText();
            std::memcpy(bytes_, other.bytes_, sizeof bytes_);
            other.WriteLinked(nullptr);
        }
        return *this;
    }
    ~PointerSlot() { ReleaseText(); }

    bool Linked() const { return bytes_[kState] == kLinked; }
    // The text while not linked; empty once linked.
    std::string_view Text() const {
        if (Linked()) return {};
        if (bytes_[kState] == kLong) return LongText().View();
        return std::string_view(reinterpret_cast<const char*>(bytes_), bytes_[kState]);
    }
    // The record once linked; null before, and when linked to nothing.
    RecordBase* Target() const {
        if (!Linked()) return nullptr;
        RecordBase* target;
        std::memcpy(&target, bytes_, sizeof target);
        return target;
    }
    // The text is given up for the record.
    void SetLinked(RecordBase* target) {
        ReleaseText();
        WriteLinked(target);
    }

   private:
    // The last byte tells the slot's state: the length of a text kept in
    // the bytes before it, or kLong, or kLinked.
    static constexpr size_t kState = 15;
    static constexpr size_t kLongestInPlace = kState;
    static constexpr unsigned char kLong = 0x80;
    static constexpr unsigned char kLinked = 0x81;

    const CompactText& LongText() const { return *reinterpret_cast<const CompactText*>(bytes_); }
    void ReleaseText() {
        if (bytes_[kState] == kLong) reinterpret_cast<CompactText*>(bytes_)->~CompactText();
    }
    void WriteLinked(RecordBase* target) {
        std::memcpy(bytes_, &target, sizeof target);
        bytes_[kState] = kLinked;
    }

    alignas(8) unsigned char bytes_[16];
};

}  // namespace kinfold
