#include "core/text_encoding.h"

#include <cstdint>

namespace kinfold {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Bytes 0x80 to 0x9F; the five Windows leaves undefined map to the C1
// control of the same value, as Windows' own conversion does.
const char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const char16_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8,
    0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2,
    0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1,
    0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD,
    0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562,
    0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534,
    0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560,
    0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393,
    0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6,
    0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, 0x00B0,
    0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

const char16_t kMacRomanHigh[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4,
    0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF,
    0x00F1, 0x00F3, 0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020,
    0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4,
    0x00A8, 0x2260, 0x00C6, 0x00D8, 0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202,
    0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF, 0x00A1,
    0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3,
    0x00D5, 0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA,
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, 0x2021, 0x00B7, 0x201A,
    0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, 0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC,
    0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC, 0x00AF,
    0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7};

char16_t FromWindows1252(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kWindows1252High[byte - 0x80] : char16_t{byte};
}

// Length of the sequence a UTF-8 lead byte announces; 0 for a byte that
// cannot start one.
size_t Utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Length of the well-formed sequence at `s` (`left` bytes available), storing
// its code point; 0 when there is none.
size_t DecodeUtf8(const unsigned char* s, size_t left, char32_t* cp) {
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

void AppendCodePoint(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
        return;
    }
    out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
}

std::u16string DecodeUtf8Text(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 0; i < bytes.size();) {
        char32_t cp;
        const size_t length = DecodeUtf8(s + i, bytes.size() - i, &cp);
        if (length == 0) {
            out += kReplacement;
            ++i;
        } else {
            AppendCodePoint(out, cp);
            i += length;
        }
    }
    return out;
}

template <class High>
std::u16string DecodeSingleByte(std::string_view bytes, High high) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += byte < 0x80 ? char16_t{byte} : high(byte);
    }
    return out;
}

}  // namespace

std::u16string DecodeText(TextEncoding encoding, std::string_view bytes) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return DecodeUtf8Text(bytes);
        case TextEncoding::Cp437:
            return DecodeSingleByte(bytes, [](unsigned char b) { return kCp437High[b - 0x80]; });
        case TextEncoding::MacRoman:
            return DecodeSingleByte(bytes, [](unsigned char b) { return kMacRomanHigh[b - 0x80]; });
        case TextEncoding::Ascii:
            return DecodeSingleByte(bytes, [](unsigned char) { return kReplacement; });
        case TextEncoding::Ansel:
            return DecodeAnsel(bytes);
        case TextEncoding::Bytes:
        case TextEncoding::Windows1252:
            break;
    }
    return DecodeSingleByte(bytes, FromWindows1252);
}

bool IsValidUtf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 0; i < bytes.size();) {
        char32_t cp;
        const size_t length = DecodeUtf8(s + i, bytes.size() - i, &cp);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

bool EndsInsideCharacter(TextEncoding encoding, std::string_view text) {
    if (text.empty()) return false;
    const auto last = static_cast<unsigned char>(text.back());
    if (encoding == TextEncoding::Ansel) return last >= 0xE0 && last <= 0xFE;
    if (encoding != TextEncoding::Utf8) return false;
    // Back over at most three continuation bytes to the lead byte.
    size_t back = 0;
    while (back < 3 && back < text.size() &&
           (static_cast<unsigned char>(text[text.size() - 1 - back]) & 0xC0) == 0x80)
        ++back;
    if (back == text.size()) return false;
    const size_t length = Utf8Length(static_cast<unsigned char>(text[text.size() - 1 - back]));
    return length > back + 1;
}

}  // namespace kinfold
