// The Unicode pieces that both the boundary's own conversion and a file's
// decoding need: reading UTF-8, the Windows-1252 bytes that old files hold,
// and writing a code point as UTF-16.
#pragma once

#include <cstddef>

namespace kinfold {

// Windows-1252 for one byte; the five bytes it leaves undefined map to the C1
// control of the same value, as Windows' own conversion does.
inline char16_t FromWindows1252(unsigned char byte) {
    static const char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : char16_t{byte};
}

// Length of the sequence a UTF-8 lead byte announces; 0 for a byte that
// cannot start one.
inline size_t Utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Length of the well-formed UTF-8 sequence at `s` (`left` bytes available),
// storing its code point; 0 when there is none.
inline size_t DecodeUtf8(const unsigned char* s, size_t left, char32_t* cp) {
    const size_t length = Utf8Length(s[0]);
    if (length == 0 || left < length) return 0;
    if (length == 1) return *cp = s[0], 1;
    static const char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    char32_t value = s[0] & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80) return 0;
        value = (value << 6) | (s[i] & 0x3F);
    }
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    if (value < kMinimum[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
        return 0;
    return *cp = value, length;
}

// Appends `cp` to `out` (anything with push_back of char16_t) as UTF-16: a
// surrogate pair past U+FFFF.
template <class Units>
void AppendUtf16(Units& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
}

}  // namespace kinfold
