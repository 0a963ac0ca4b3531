// Text at the boundary, natively: bytes are UTF-8; a byte sequence that is
// not valid UTF-8 is read byte by byte as Windows-1252, so files written in
// the ANSI code page of a Western Windows stay readable.
#include "platform/text.h"

#include <algorithm>
#include <vector>

namespace kinfold {
namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five bytes it leaves undefined map to
// the C1 control of the same value, as Windows' own conversion does.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t FromCp1252(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kCp1252High[byte - 0x80] : static_cast<char16_t>(byte);
}

// Length of the well-formed UTF-8 sequence starting at `s` (at most `left`
// bytes available), storing its code point; 0 when there is none.
size_t DecodeUtf8(const unsigned char* s, size_t left, char32_t* cp) {
    const unsigned char b0 = s[0];
    if (b0 < 0x80) return *cp = b0, 1;
    size_t length;
    char32_t value, min;
    if (b0 >= 0xC2 && b0 <= 0xDF) length = 2, value = b0 & 0x1F, min = 0x80;
    else if (b0 >= 0xE0 && b0 <= 0xEF) length = 3, value = b0 & 0x0F, min = 0x800;
    else if (b0 >= 0xF0 && b0 <= 0xF4) length = 4, value = b0 & 0x07, min = 0x10000;
    else return 0;
    if (left < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80) return 0;
        value = (value << 6) | (s[i] & 0x3F);
    }
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    if (value < min || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return 0;
    return *cp = value, length;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

BSTR AllocBstr(std::string_view text) {
    // Most texts of a file are plain ASCII: widen them straight into the
    // string, with no decoding and no buffer between.
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
        if (out != nullptr) std::copy(text.begin(), text.end(), out);
        return out;
    }
    std::vector<char16_t> units;
    units.reserve(text.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t i = 0; i < text.size();) {
        char32_t cp;
        const size_t length = DecodeUtf8(bytes + i, text.size() - i, &cp);
        if (length == 0) {
            units.push_back(FromCp1252(bytes[i]));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(cp));
        }
        i += length;
    }
    return SysAllocStringLen(units.data(), static_cast<UINT>(units.size()));
}

std::string BstrToText(const OLECHAR* bstr) {
    std::string out;
    if (!bstr) return out;
    for (size_t i = 0; bstr[i]; ++i) {
        const char16_t unit = bstr[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && bstr[i + 1] >= 0xDC00 && bstr[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (bstr[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);  // a surrogate without its partner
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

}  // namespace kinfold
