#include "assistant/cologne_phonetics.h"

#include <cstring>

namespace kinfold {
namespace {

bool IsOneOf(char letter, const char* set) { return letter != 0 && std::strchr(set, letter); }

// The digits of the letter at `at`; none for H, two for an X that is not
// after C, K or Q. ß folded to SS codes as S would: the second 8 merges.
const char* LetterDigits(std::string_view letters, size_t at) {
    const char letter = letters[at];
    const char before = at > 0 ? letters[at - 1] : 0;
    const char after = at + 1 < letters.size() ? letters[at + 1] : 0;
    switch (letter) {
        case 'A':
        case 'E':
        case 'I':
        case 'J':
        case 'O':
        case 'U':
        case 'Y':
            return "0";
        case 'H':
            return "";
        case 'B':
            return "1";
        case 'P':
            return after == 'H' ? "3" : "1";
        case 'D':
        case 'T':
            return IsOneOf(after, "CSZ") ? "8" : "2";
        case 'F':
        case 'V':
        case 'W':
            return "3";
        case 'G':
        case 'K':
        case 'Q':
            return "4";
        case 'C':
            // At the start a C is hard before more letters than inside a
            // name: L and R too. After S or Z it is always soft.
            if (at == 0) return IsOneOf(after, "AHKLOQRUX") ? "4" : "8";
            return IsOneOf(after, "AHKOQUX") && !IsOneOf(before, "SZ") ? "4" : "8";
        case 'X':
            return IsOneOf(before, "CKQ") ? "8" : "48";
        case 'L':
            return "5";
        case 'M':
        case 'N':
            return "6";
        case 'R':
            return "7";
        case 'S':
        case 'Z':
            return "8";
    }
    return "";
}

}  // namespace

// Each letter's digits, then a digit equal to the one before it dropped
// (an H between them does not keep them apart, having none), then every 0
// but a leading one dropped.
std::string CologneCode(std::string_view letters) {
    std::string digits;
    for (size_t i = 0; i < letters.size(); ++i)
        for (const char* d = LetterDigits(letters, i); *d != 0; ++d)
            if (digits.empty() || digits.back() != *d) digits.push_back(*d);
    std::string code;
    for (size_t i = 0; i < digits.size(); ++i)
        if (digits[i] != '0' || i == 0) code.push_back(digits[i]);
    return code;
}

}  // namespace kinfold
