#include "case_folding.h"

#include <cstdint>

namespace kinfold::cli {
namespace {

// Capitals from `first` to `last` fold to the character `delta` further on;
// with `alternate`, only every second one does (from `first`), as in the
// blocks that list each capital before its small letter.
struct FoldRange {
    char32_t first;
    char32_t last;
    int32_t delta;
    bool alternate;
};

const FoldRange kFolds[] = {
    {0x41, 0x5A, 32, false},
    {0xB5, 0xB5, 0x3BC - 0xB5, false},  // the micro sign is Greek mu
    {0xC0, 0xD6, 32, false},
    {0xD8, 0xDE, 32, false},
    {0x100, 0x12E, 1, true},
    {0x130, 0x130, 0x69 - 0x130, false},  // I with a dot above, as a plain i
    {0x132, 0x136, 1, true},
    {0x139, 0x147, 1, true},
    {0x14A, 0x176, 1, true},
    {0x178, 0x178, 0xFF - 0x178, false},
    {0x179, 0x17D, 1, true},
    {0x17F, 0x17F, 0x73 - 0x17F, false},  // long s
    {0x370, 0x372, 1, true},
    {0x376, 0x376, 1, false},
    {0x37F, 0x37F, 0x3F3 - 0x37F, false},
    {0x386, 0x386, 0x3AC - 0x386, false},
    {0x388, 0x38A, 37, false},
    {0x38C, 0x38C, 64, false},
    {0x38E, 0x38F, 63, false},
    {0x391, 0x3A1, 32, false},
    {0x3A3, 0x3AB, 32, false},
    {0x3C2, 0x3C2, 1, false},  // final sigma
    {0x3CF, 0x3CF, 8, false},
    {0x3D0, 0x3D0, 0x3B2 - 0x3D0, false},
    {0x3D1, 0x3D1, 0x3B8 - 0x3D1, false},
    {0x3D5, 0x3D5, 0x3C6 - 0x3D5, false},
    {0x3D6, 0x3D6, 0x3C0 - 0x3D6, false},
    {0x3D8, 0x3EE, 1, true},
    {0x3F0, 0x3F0, 0x3BA - 0x3F0, false},
    {0x3F1, 0x3F1, 0x3C1 - 0x3F1, false},
    {0x3F4, 0x3F4, 0x3B8 - 0x3F4, false},
    {0x3F5, 0x3F5, 0x3B5 - 0x3F5, false},
    {0x3F7, 0x3F7, 1, false},
    {0x3F9, 0x3F9, 0x3F2 - 0x3F9, false},
    {0x3FA, 0x3FA, 1, false},
    {0x3FD, 0x3FF, 0x37B - 0x3FD, false},
    {0x400, 0x40F, 80, false},
    {0x410, 0x42F, 32, false},
    {0x460, 0x480, 1, true},
    {0x48A, 0x4BE, 1, true},
    {0x4C0, 0x4C0, 15, false},
    {0x4C1, 0x4CD, 1, true},
    {0x4D0, 0x52E, 1, true},
};

}  // namespace

char32_t FoldCase(char32_t c) {
    for (const FoldRange& range : kFolds) {
        if (c < range.first) break;
        if (c <= range.last && (!range.alternate || (c - range.first) % 2 == 0))
            return static_cast<char32_t>(static_cast<int32_t>(c) + range.delta);
    }
    return c;
}

std::u32string FoldedText(BSTR text) {
    std::u32string folded;
    const size_t length = text != nullptr ? SysStringLen(text) : 0;
    for (size_t i = 0; i < length; ++i) {
        char32_t c = static_cast<char16_t>(text[i]);
        const char32_t next = i + 1 < length ? static_cast<char16_t>(text[i + 1]) : 0;
        if (c >= 0xD800 && c <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
            ++i;
        }
        folded.push_back(FoldCase(c));
    }
    return folded;
}

bool MatchesPattern(const std::u32string& text, const std::u32string& pattern) {
    if (!pattern.empty() && pattern.front() == U'*') {
        const size_t ending = pattern.size() - 1;
        return text.size() >= ending && text.compare(text.size() - ending, ending, pattern, 1) == 0;
    }
    const std::u32string beginning = pattern.substr(0, pattern.find(U'*'));
    return text.compare(0, beginning.size(), beginning) == 0;
}

}  // namespace kinfold::cli
