#include "assistant/daitch_mokotoff.h"

#include <algorithm>

namespace kinfold {
namespace {

// A letter group with its code at the start of a name, before a vowel and
// anywhere else. "" is a group that is not coded; "5|4" a group spoken two
// ways, which splits the name's readings.
struct Rule {
    std::string_view letters;
    std::string_view atStart;
    std::string_view beforeVowel;
    std::string_view otherwise;
};

// The coding chart. Where groups overlap the longest one that matches is
// taken, so the order here does not matter.
// clang-format off
constexpr Rule kRules[] = {
    {"AI", "0", "1", ""}, {"AJ", "0", "1", ""}, {"AY", "0", "1", ""}, {"AU", "0", "7", ""},
    {"A", "0", "", ""},
    {"B", "7", "7", "7"},
    {"CHS", "5", "54", "54"}, {"CH", "5|4", "5|4", "5|4"}, {"CK", "5|45", "5|45", "5|45"},
    {"CSZ", "4", "4", "4"}, {"CZS", "4", "4", "4"}, {"CS", "4", "4", "4"}, {"CZ", "4", "4", "4"},
    {"C", "5|4", "5|4", "5|4"},
    {"DRZ", "4", "4", "4"}, {"DRS", "4", "4", "4"}, {"DSH", "4", "4", "4"}, {"DSZ", "4", "4", "4"},
    {"DS", "4", "4", "4"}, {"DZH", "4", "4", "4"}, {"DZS", "4", "4", "4"}, {"DZ", "4", "4", "4"},
    {"DT", "3", "3", "3"}, {"D", "3", "3", "3"},
    {"EI", "0", "1", ""}, {"EJ", "0", "1", ""}, {"EY", "0", "1", ""}, {"EU", "1", "1", ""},
    {"E", "0", "", ""},
    {"FB", "7", "7", "7"}, {"F", "7", "7", "7"},
    {"G", "5", "5", "5"},
    {"H", "5", "5", ""},
    {"IA", "1", "", ""}, {"IE", "1", "", ""}, {"IO", "1", "", ""}, {"IU", "1", "", ""},
    {"I", "0", "", ""},
    {"J", "1|4", "1|4", "1|4"},
    {"KS", "5", "54", "54"}, {"KH", "5", "5", "5"}, {"K", "5", "5", "5"},
    {"L", "8", "8", "8"},
    {"MN", "66", "66", "66"}, {"M", "6", "6", "6"},
    {"NM", "66", "66", "66"}, {"N", "6", "6", "6"},
    {"OI", "0", "1", ""}, {"OJ", "0", "1", ""}, {"OY", "0", "1", ""}, {"O", "0", "", ""},
    {"PF", "7", "7", "7"}, {"PH", "7", "7", "7"}, {"P", "7", "7", "7"},
    {"Q", "5", "5", "5"},
    {"RS", "94|4", "94|4", "94|4"}, {"RZ", "94|4", "94|4", "94|4"}, {"R", "9", "9", "9"},
    {"SCHTSCH", "2", "4", "4"}, {"SCHTSH", "2", "4", "4"}, {"SCHTCH", "2", "4", "4"},
    {"SCHT", "2", "43", "43"}, {"SCHD", "2", "43", "43"}, {"SCH", "4", "4", "4"},
    {"SHTCH", "2", "4", "4"}, {"SHTSH", "2", "4", "4"}, {"SHCH", "2", "4", "4"},
    {"SHT", "2", "43", "43"}, {"SHD", "2", "43", "43"}, {"SH", "4", "4", "4"},
    {"STCH", "2", "4", "4"}, {"STSCH", "2", "4", "4"}, {"STRZ", "2", "4", "4"},
    {"STRS", "2", "4", "4"}, {"STSH", "2", "4", "4"}, {"ST", "2", "43", "43"},
    {"SZCZ", "2", "4", "4"}, {"SZCS", "2", "4", "4"}, {"SZT", "2", "43", "43"},
    {"SZD", "2", "43", "43"}, {"SZ", "4", "4", "4"}, {"SD", "2", "43", "43"}, {"SC", "2", "4", "4"},
    {"S", "4", "4", "4"},
    {"TTSCH", "4", "4", "4"}, {"TTCH", "4", "4", "4"}, {"TSCH", "4", "4", "4"},
    {"TCH", "4", "4", "4"}, {"TH", "3", "3", "3"}, {"TRZ", "4", "4", "4"}, {"TRS", "4", "4", "4"},
    {"TSH", "4", "4", "4"}, {"TTSZ", "4", "4", "4"}, {"TTS", "4", "4", "4"}, {"TTZ", "4", "4", "4"},
    {"TZS", "4", "4", "4"}, {"TSZ", "4", "4", "4"}, {"TS", "4", "4", "4"}, {"TC", "4", "4", "4"},
    {"TZ", "4", "4", "4"}, {"T", "3", "3", "3"},
    {"UI", "0", "1", ""}, {"UJ", "0", "1", ""}, {"UY", "0", "1", ""}, {"UE", "0", "", ""},
    {"U", "0", "", ""},
    {"V", "7", "7", "7"},
    {"W", "7", "7", "7"},
    {"X", "5", "54", "54"},
    {"Y", "1", "", ""},
    {"ZHDZH", "2", "4", "4"}, {"ZDZH", "2", "4", "4"}, {"ZDZ", "2", "4", "4"},
    {"ZSCH", "4", "4", "4"}, {"ZHD", "2", "43", "43"}, {"ZSH", "4", "4", "4"},
    {"ZD", "2", "43", "43"}, {"ZH", "4", "4", "4"}, {"ZS", "4", "4", "4"}, {"Z", "4", "4", "4"},
};
// clang-format on

constexpr size_t kCodeLength = 6;

// The vowels that choose the "before a vowel" column: A, E, I, O and U. J
// and Y, which the chart codes as consonants, do not.
bool IsVowel(char letter) {
    return letter != 0 && std::string_view("AEIOU").find(letter) != std::string_view::npos;
}

// The longest group of the chart that `letters` starts with; every letter
// A to Z is a group of its own.
const Rule& LongestRule(std::string_view letters) {
    const Rule* longest = nullptr;
    for (const Rule& rule : kRules)
        if (letters.substr(0, rule.letters.size()) == rule.letters &&
            (longest == nullptr || rule.letters.size() > longest->letters.size()))
            longest = &rule;
    return *longest;
}

// One reading of the name so far: its digits and the code of the group
// before, which a following group with the same sound does not repeat.
struct Reading {
    std::string digits;
    std::string_view previous;

    bool operator==(const Reading& other) const {
        return digits == other.digits && previous == other.previous;
    }

    // A group whose code ends the previous group's code adds nothing (an S
    // after an X, which already sounds KS); a group not coded, a vowel in
    // the middle of a name, keeps two alike sounds apart (Lipshitz is
    // 874400).
    void Add(std::string_view code) {
        const bool repeats = previous.size() >= code.size() &&
                             previous.substr(previous.size() - code.size()) == code;
        if (!repeats)
            digits.append(code.substr(0, kCodeLength - std::min(kCodeLength, digits.size())));
        previous = code;
        // A full code takes nothing more, whatever came before.
        if (digits.size() == kCodeLength) previous = {};
    }
};

void AddUnique(std::vector<Reading>& readings, Reading reading) {
    if (std::find(readings.begin(), readings.end(), reading) == readings.end())
        readings.push_back(std::move(reading));
}

}  // namespace

std::vector<std::string> DaitchMokotoffCodes(std::string_view letters) {
    if (letters.empty()) return {};
    // Readings that have come to the same digits and previous code go on
    // alike, so they are kept once: a long name of many C's stays a few
    // readings, not one per way of reading each C.
    std::vector<Reading> readings{Reading{}};
    for (size_t at = 0; at < letters.size();) {
        const Rule& rule = LongestRule(letters.substr(at));
        const size_t next = at + rule.letters.size();
        const std::string_view codes = at == 0 ? rule.atStart
                                       : next < letters.size() && IsVowel(letters[next])
                                           ? rule.beforeVowel
                                           : rule.otherwise;
        std::vector<Reading> following;
        for (const Reading& reading : readings) {
            for (size_t start = 0; start <= codes.size();) {
                const size_t bar = std::min(codes.find('|', start), codes.size());
                Reading extended = reading;
                extended.Add(codes.substr(start, bar - start));
                AddUnique(following, std::move(extended));
                start = bar + 1;
            }
        }
        readings = std::move(following);
        at = next;
    }
    std::vector<std::string> result;
    for (Reading& reading : readings) {
        reading.digits.resize(kCodeLength, '0');
        if (std::find(result.begin(), result.end(), reading.digits) == result.end())
            result.push_back(std::move(reading.digits));
    }
    return result;
}

}  // namespace kinfold
