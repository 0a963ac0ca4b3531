#include "core/gedcom_line.h"

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

bool IsCrossReference(std::string_view field) {
    return !field.empty() && field.front() == '@' && field.back() == '@';
}

}  // namespace

bool GedcomLine::Parse(std::string_view text, int32_t position) {
    text = BoundText(TrimText(text));
    if (text.empty()) return false;

    // One pass for the first three blanks: lines are short, and a library
    // search per blank costs more than the scan itself.
    const size_t end = text.size();
    size_t blanks[3] = {kNone, kNone, kNone};
    for (size_t i = 0, found = 0; i < end && found < 3; ++i) {
        if (text[i] == ' ') blanks[found++] = i;
    }
    const size_t b1 = blanks[0];
    const size_t b2 = blanks[1];
    const size_t b3 = blanks[2];
    const size_t field1Begin = b1 == kNone ? 0 : b1 + 1;
    const size_t field1End = b2 == kNone ? end : b2;

    level_ = b1 == kNone ? 0 : ParseLevel(text.substr(0, b1));
    position_ = position;
    if (field1End == field1Begin) return true;

    std::memcpy(text_, text.data(), end);
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

}  // namespace kinfold
