#include "core/gedcom_line.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kinfold {

namespace {

constexpr size_t kNone = std::string_view::npos;

// As the C library's atoi on a trimmed text: an optional sign, then digits up
// to the first non-digit. Out-of-range numbers saturate at the 32-bit limits, as
// a 32-bit strtol does, before the cut to 16 bits, so "99999999999" gives -1
// and "-99999999999" gives 0 on every platform.
int16_t ParseLevel(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t magnitude = 0;
    const int64_t limit = negative ? int64_t{2147483648} : int64_t{2147483647};
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) magnitude = limit;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(value) & 0xFFFFu));
}

// The positions of the first three blanks of `text` (kNone for those
// missing), eight bytes at a time: one top bit per byte that equals a blank,
// exactly, so the set bits give the positions in order. Lines are mostly a
// level, a tag and a value, so one or two words usually hold all three.
void FindThreeBlanks(std::string_view text, size_t (&blanks)[3]) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr uint64_t kBlanks = 0x2020202020202020ull;
    const size_t end = text.size();
    size_t found = 0;
    size_t i = 0;
    for (; found < 3 && i + 8 <= end; i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        const uint64_t x = word ^ kBlanks;
        uint64_t matches = ~(((x & kLow7) + kLow7) | x | kLow7);
        for (; matches != 0 && found < 3; matches &= matches - 1)
            blanks[found++] = i + static_cast<size_t>(__builtin_ctzll(matches) >> 3);
    }
    for (; found < 3 && i < end; ++i)
        if (text[i] == ' ') blanks[found++] = i;
}

// Lines are short: eight bytes at a time beats the string instruction the
// compiler makes of a bounded memcpy, whose start-up cost dominates here.
void CopyText(char* to, const char* from, size_t size) {
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, from + i, 8);
        std::memcpy(to + i, &word, 8);
    }
    for (; i < size; ++i) to[i] = from[i];
}

bool IsCrossReference(std::string_view field) {
    return !field.empty() && field.front() == '@' && field.back() == '@';
}

}  // namespace

bool GedcomLine::Parse(std::string_view text, int32_t position) {
    text = BoundText(TrimText(text));
    if (text.empty()) return false;

    const size_t end = text.size();
    size_t blanks[3] = {kNone, kNone, kNone};
    FindThreeBlanks(text, blanks);
    const size_t b1 = blanks[0];
    const size_t b2 = blanks[1];
    const size_t b3 = blanks[2];
    const size_t field1Begin = b1 == kNone ? 0 : b1 + 1;
    const size_t field1End = b2 == kNone ? end : b2;

    level_ = b1 == kNone ? 0 : ParseLevel(text.substr(0, b1));
    position_ = position;
    if (field1End == field1Begin) return true;

    CopyText(text_, text.data(), end);
    const auto span = [](size_t begin, size_t stop) {
        return Field{static_cast<uint16_t>(begin), static_cast<uint16_t>(stop - begin)};
    };
    const Field field1 = span(field1Begin, field1End);
    const Field field2 = b2 == kNone ? Field() : span(b2 + 1, b3 == kNone ? end : b3);
    const Field field3 = b3 == kNone ? Field() : span(b3, end);

    target_ = nullptr;
    if (IsCrossReference(Span(field1))) {
        id_ = field1;
        tag_ = field2;
        value_ = field3;
        pointer_ = Field();
    } else if (IsCrossReference(Span(field2))) {
        id_ = Field();
        tag_ = field1;
        pointer_ = field2;
        value_ = field3;
    } else {
        id_ = Field();
        tag_ = field1;
        value_ = b2 == kNone ? Field() : span(b2 + 1, end);
        pointer_ = Field();
    }
    return true;
}

size_t GedcomLine::TextInUse() const {
    size_t end = 0;
    for (const Field field : {id_, tag_, value_, pointer_})
        end = std::max<size_t>(end, size_t{field.offset} + field.length);
    return end;
}

size_t GedcomLine::StoreTo(char* bytes) const {
    const StoredHeader header{
        {id_, tag_, value_, pointer_}, position_, level_, static_cast<uint16_t>(TextInUse())};
    std::memcpy(bytes, &header, sizeof header);
    CopyText(bytes + sizeof header, text_, header.textLength);
    return sizeof header + header.textLength;
}

void GedcomLine::LoadFrom(const char* bytes) {
    StoredHeader header;
    std::memcpy(&header, bytes, sizeof header);
    id_ = header.fields[0];
    tag_ = header.fields[1];
    value_ = header.fields[2];
    pointer_ = header.fields[3];
    position_ = header.position;
    level_ = header.level;
    target_ = nullptr;
    CopyText(text_, bytes + sizeof header, header.textLength);
}

}  // namespace kinfold
