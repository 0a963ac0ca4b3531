// Text at the boundary, natively: bytes are UTF-8; a byte sequence that is
// not valid UTF-8 is read byte by byte as Windows-1252, so files written in
// the ANSI code page of a Western Windows stay readable.
#include "platform/text.h"

#include <algorithm>
#include <vector>

#include "platform/unicode.h"

namespace kinfold {
namespace {

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
            units.push_back(FromWindows1252(bytes[i]));
            ++i;
            continue;
        }
        AppendUtf16(units, cp);
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
