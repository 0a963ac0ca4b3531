// One parsed GEDCOM line. The loader parses millions of them, so a line owns
// its text in a fixed buffer and its fields are spans of that buffer: parsing
// is one copy and a few scans, with no allocation.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/fixed_string.h"

namespace kinfold {

class RecordBase;

class GedcomLine {
   public:
    // The text buffer is left as it is: only the bytes the fields cover are
    // ever read, and a line is made for every on-demand read.
    GedcomLine() {}

    // Trims and splits a line (at most kFixedStringCapacity bytes are kept):
    //   level [blank field1 [blank field2 [blank field3...]]]
    // Field 1 in @...@ defines an xref ID; otherwise field 2 in @...@ is a
    // pointer; otherwise the value is everything after the blank behind the tag.
    // An ID or pointer line keeps the blank before its value. Only a blank
    // (0x20) separates. Two degenerate forms do not replace the previous
    // contents, so callers see that line again: an empty text changes nothing,
    // and an empty field 1 ("1  X") changes only the level and the position.
    // Returns false for the empty text, true for every other.
    bool Parse(std::string_view text, int32_t position);

    int16_t Level() const { return level_; }
    // The text the level was read from: what precedes the first field, empty
    // when the line has no blank.
    std::string_view LevelText() const {
        const Field first = id_.length != 0 ? id_ : tag_;
        return std::string_view(text_, first.offset != 0 ? first.offset - 1u : 0u);
    }
    // Byte offset of the line in its file; -1 when it was not read from one.
    int32_t Position() const { return position_; }
    std::string_view Id() const { return Span(id_); }
    std::string_view Tag() const { return Span(tag_); }
    std::string_view Value() const { return Span(value_); }
    std::string_view Pointer() const { return Span(pointer_); }
    // Where the value starts in the trimmed text of the line.
    size_t ValueOffset() const { return value_.offset; }
    // The record the pointer names, once linking has found it.
    RecordBase* Target() const { return target_; }

    // Writes the line as bytes, for handing it to another thread: its
    // fields, then the text they cover; gives how many bytes that took, at
    // most kMostStoredBytes.
    size_t StoreTo(char* bytes) const;
    // Becomes the line stored at `bytes`, with no target.
    void LoadFrom(const char* bytes);

    void SetLevel(int16_t level) { level_ = level; }
    void SetPosition(int32_t position) { position_ = position; }
    void SetTarget(RecordBase* target) { target_ = target; }
    void ClearId() { id_ = Field(); }
    void ClearTag() { tag_ = Field(); }
    void ClearValue() { value_ = Field(); }

   private:
    struct Field {
        uint16_t offset = 0;
        uint16_t length = 0;
    };
    struct StoredHeader {
        Field fields[4];
        int32_t position;
        int16_t level;
        uint16_t textLength;
    };

   public:
    static constexpr size_t kMostStoredBytes = sizeof(StoredHeader) + kFixedStringCapacity;

   private:
    // How much of the text the fields cover.
    size_t TextInUse() const;

    std::string_view Span(Field field) const {
        return std::string_view(text_ + field.offset, field.length);
    }

    char text_[kFixedStringCapacity];
    Field id_;
    Field tag_;
    Field value_;
    Field pointer_;
    int32_t position_ = -1;
    int16_t level_ = 0;
    RecordBase* target_ = nullptr;
};

}  // namespace kinfold
