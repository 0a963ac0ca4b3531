#include "assistant/soundex.h"

#include "core/fixed_string.h"

namespace kinfold {
namespace {

// The digit of each letter's group, A to Z; '0' for vowels, H, W and Y.
constexpr char kGroupDigits[] = "01230120022455012623010202";

// The digit of the character's group, or 0 for one without a group: vowels,
// H, W, Y and every byte that is not an ASCII letter.
char GroupDigit(char upper) {
    return upper >= 'A' && upper <= 'Z' && kGroupDigits[upper - 'A'] != '0'
               ? kGroupDigits[upper - 'A']
               : 0;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

// Unlike the commonly published rules, the first letter's own group does not
// suppress the letter after it (Lloyd is L430), and any character without a
// group, H and W included, separates two letters of one group (Ashcraft is
// A226).
std::string SoundexCode(std::string_view name) {
    const std::string_view trimmed = TrimText(name);
    if (trimmed.empty()) return std::string();
    const char first = Upper(trimmed.front());
    if (first < 'A' || first > 'Z') return std::string();

    std::string code = "0000";
    code[0] = first;
    size_t next = 1;
    char previous = 0;
    for (size_t i = 1; i < trimmed.size() && next < code.size(); ++i) {
        const char digit = GroupDigit(Upper(trimmed[i]));
        if (digit != 0 && digit != previous) code[next++] = digit;
        previous = digit;
    }
    return code;
}

}  // namespace kinfold
