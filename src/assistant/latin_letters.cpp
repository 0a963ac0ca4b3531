#include "assistant/latin_letters.h"

#include "platform/unicode.h"

namespace kinfold {
namespace {

// The base letter of each code point from U+00C0 to U+017F; a digit stands
// for one of the two-letter folds below, '.' for a character that is no
// letter (× and ÷).
constexpr char kFolds[] =
    "AAAAAA1CEEEEIIIIDNOOOOO.OUUUUY23"   // U+00C0 À to U+00DF ß
    "AAAAAA1CEEEEIIIIDNOOOOO.OUUUUY2Y"   // U+00E0 à to U+00FF ÿ
    "AAAAAACCCCCCCCDDDDEEEEEEEEEEGGGG"   // U+0100 Ā to U+011F ğ
    "GGGGHHHHIIIIIIIIII44JJKKKLLLLLLL"   // U+0120 Ġ to U+013F Ŀ
    "LLLNNNNNNNNNOOOOOO55RRRRRRSSSSSS"   // U+0140 ŀ to U+015F ş
    "SSTTTTTTUUUUUUUUUUUUWWYYYZZZZZZS";  // U+0160 Š to U+017F ſ
static_assert(sizeof kFolds == 0x180 - 0xC0 + 1, "one fold per code point");

constexpr const char* kTwoLetters[] = {"", "AE", "TH", "SS", "IJ", "OE"};

void AppendFolded(std::string& letters, char32_t cp) {
    if (cp >= 'a' && cp <= 'z') cp -= 'a' - 'A';
    if (cp >= 'A' && cp <= 'Z') {
        letters.push_back(static_cast<char>(cp));
        return;
    }
    if (cp < 0xC0 || cp >= 0x180) return;
    const char fold = kFolds[cp - 0xC0];
    if (fold >= '1' && fold <= '5')
        letters.append(kTwoLetters[fold - '0']);
    else if (fold != '.')
        letters.push_back(fold);
}

}  // namespace

std::string LatinLetters(std::string_view name) {
    std::string letters;
    const auto* bytes = reinterpret_cast<const unsigned char*>(name.data());
    for (size_t i = 0; i < name.size();) {
        char32_t cp = 0;
        const size_t length = DecodeUtf8(bytes + i, name.size() - i, &cp);
        if (length == 0) cp = FromWindows1252(bytes[i]);
        AppendFolded(letters, cp);
        i += length == 0 ? 1 : length;
    }
    return letters;
}

std::string LatinLetters(std::u16string_view name) {
    std::string letters;
    for (char16_t unit : name) AppendFolded(letters, unit);
    return letters;
}

}  // namespace kinfold
