#include "core/encoding_detection.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/unicode.h"

namespace kinfold {
namespace {

// A byte-order mark, or the zero bytes of "0 " at the start of a header
// written without one. Sets `skip` to the mark's length.
Utf16 DetectUtf16(std::string_view bytes, size_t& skip) {
    auto starts = [&](std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; };
    skip = 0;
    if (starts("\xFF\xFE")) return skip = 2, Utf16::LittleEndian;
    if (starts("\xFE\xFF")) return skip = 2, Utf16::BigEndian;
    if (starts(std::string_view("0\0 \0", 4))) return Utf16::LittleEndian;
    if (starts(std::string_view("\0"
                                "0\0 ",
                                4)))
        return Utf16::BigEndian;
    return Utf16::None;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    const int tail = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    static const unsigned char kLead[4] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLead[tail] | (cp >> (6 * tail)));
    for (int i = tail - 1; i >= 0; --i) out += static_cast<char>(0x80 | ((cp >> (6 * i)) & 0x3F));
}

// UTF-16 as UTF-8; an unpaired surrogate or an odd last byte gives U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, Utf16 order) {
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return order == Utf16::LittleEndian ? a | (b << 8) : (a << 8) | b;
    };
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, cp >= 0xD800 && cp <= 0xDFFF ? 0xFFFD : cp);
    }
    if (i < bytes.size()) AppendUtf8(out, 0xFFFD);
    return out;
}

// Turns every CR not followed by a LF into a LF; true when it found one.
bool EndLonelyCarriageReturns(std::string& bytes) {
    bool found = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) {
            bytes[i] = '\n';
            found = true;
        }
    }
    return found;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// The value of the header's "1 CHAR" line: looked for from the second line
// up to the next level-0 line. `bytes` has LF line ends.
std::string_view HeaderCharValue(std::string_view bytes) {
    size_t start = bytes.find('\n');
    while (start != std::string_view::npos && start + 1 < bytes.size()) {
        const size_t end = bytes.find('\n', start + 1);
        const std::string_view line = Trim(bytes.substr(start + 1, end - start - 1));
        if (line.substr(0, 2) == "0 ") break;
        if (line.substr(0, 7) == "1 CHAR ") return Trim(line.substr(7));
        start = end;
    }
    return {};
}

// Where the value of a CONC line starts, or npos for another line.
size_t ConcValueStart(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && line[i] == ' ') ++i;
    const size_t digits = i;
    while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
    if (i == digits || line.substr(i, 6) != " CONC ") return std::string_view::npos;
    return i + 6;
}

// Whether `bytes` (LF or CRLF line ends) is UTF-8, a character cut by a CONC line
// break counting whole, as the reader joins it.
bool IsUtf8File(std::string_view bytes) {
    std::string joined;
    joined.reserve(bytes.size());
    for (size_t start = 0; start < bytes.size();) {
        const size_t end = std::min(bytes.find('\n', start), bytes.size());
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const size_t value = ConcValueStart(line);
        if (value != std::string_view::npos && EndsInsideCharacter(TextEncoding::Utf8, joined)) {
            joined += line.substr(value);
        } else {
            joined += '\n';
            joined += line;
        }
        start = end + 1;
    }
    return IsValidUtf8(joined);
}

}  // namespace

std::string Utf8ToUtf16(std::string_view utf8, Utf16 order) {
    std::u16string units;
    units.reserve(utf8.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = 0xFFFD;
        const size_t length = DecodeUtf8(bytes + i, utf8.size() - i, &cp);
        i += length != 0 ? length : 1;
        AppendUtf16(units, length != 0 ? cp : 0xFFFD);
    }
    std::string out;
    out.reserve(units.size() * 2);
    for (char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        out += order == Utf16::BigEndian ? high : low;
        out += order == Utf16::BigEndian ? low : high;
    }
    return out;
}

TextEncoding EncodingNamed(std::string_view charValue) {
    std::string name;
    for (char c : charValue) name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name == "UTF-8" || name == "UTF8") return TextEncoding::Utf8;
    if (name == "ANSEL") return TextEncoding::Ansel;
    if (name == "ANSI" || name == "WINDOWS") return TextEncoding::Windows1252;
    if (name == "ASCII") return TextEncoding::Ascii;
    if (name == "IBMPC" || name == "MSDOS") return TextEncoding::Cp437;
    if (name == "MACINTOSH") return TextEncoding::MacRoman;
    return TextEncoding::Bytes;
}

TextEncoding CharLineEncoding(std::string_view start) {
    return EncodingNamed(HeaderCharValue(start));
}

EncodingChoice ChooseEncoding(std::string bytes) {
    EncodingChoice choice;
    size_t skip = 0;
    const Utf16 utf16 = DetectUtf16(bytes, skip);
    if (utf16 != Utf16::None) {
        bytes = Utf16ToUtf8(std::string_view(bytes).substr(skip), utf16);
        choice.useImage = true;
        choice.utf16 = utf16;
        choice.utf16Mark = skip != 0;
    }
    choice.useImage |= EndLonelyCarriageReturns(bytes);

    if (utf16 != Utf16::None || bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        choice.encoding = TextEncoding::Utf8;
    } else {
        choice.encoding = EncodingNamed(HeaderCharValue(bytes));
        if (choice.encoding == TextEncoding::Bytes)
            choice.encoding = IsUtf8File(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    }
    if (choice.useImage) choice.image = std::move(bytes);
    return choice;
}

}  // namespace kinfold
