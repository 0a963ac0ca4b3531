#include "support/level_sequences.h"

namespace kinfold::test {
namespace {

constexpr long kLevels[] = {-1, 0, 1, 2, 3, 32768};
constexpr size_t kLinesPerRecord = 4;

// A de Bruijn sequence of order 2 over `symbols`: every ordered pair of
// symbols follows one another exactly once (made linear by repeating the
// first symbol at the end).
std::vector<std::string> EveryPairInTurn(const std::vector<std::string>& symbols) {
    std::vector<std::string> sequence;
    for (size_t a = 0; a < symbols.size(); ++a) {
        sequence.push_back(symbols[a]);
        for (size_t b = a + 1; b < symbols.size(); ++b) {
            sequence.push_back(symbols[a]);
            sequence.push_back(symbols[b]);
        }
    }
    sequence.push_back(symbols.front());
    return sequence;
}

// Windows of four tags that overlap by one, so that every neighbouring pair
// of the sequence stands in some window.
std::vector<std::vector<std::string>> TagWindows(const std::vector<std::string>& tags) {
    const std::vector<std::string> sequence = EveryPairInTurn(tags);
    std::vector<std::vector<std::string>> windows;
    for (size_t start = 0; start + 1 < sequence.size(); start += kLinesPerRecord - 1) {
        std::vector<std::string> window;
        for (size_t i = 0; i < kLinesPerRecord; ++i)
            window.push_back(sequence[(start + i) % sequence.size()]);
        windows.push_back(window);
    }
    return windows;
}

}  // namespace

const std::vector<LevelRuleKind> kLevelRuleKinds = {
    {"INDI",
     GeneratedKind::Individual,
     {"NAME", "SURN", "SEX", "FAMS", "FAMC", "PEDI", "BIRT", "DEAT", "DATE", "PLAC"}},
    {"FAM",
     GeneratedKind::Family,
     {"HUSB", "WIFE", "CHIL", "MARR", "DATE", "PLAC", "NAME", "BIRT"}},
    {"SOUR", GeneratedKind::Source, {"DATA", "REPO", "CALN", "DATE", "NAME"}},
};

std::vector<GeneratedRecord> EveryLevelSequence(GeneratedKind kind,
                                                const std::vector<std::string>& tags) {
    constexpr size_t kLevelCount = sizeof(kLevels) / sizeof(kLevels[0]);
    size_t sequences = 1;
    for (size_t i = 0; i < kLinesPerRecord; ++i) sequences *= kLevelCount;
    std::vector<GeneratedRecord> records;
    for (const std::vector<std::string>& window : TagWindows(tags)) {
        for (size_t n = 0; n < sequences; ++n) {
            GeneratedRecord record{kind, {}};
            for (size_t i = 0, rest = n; i < kLinesPerRecord; ++i, rest /= kLevelCount)
                record.lines.push_back({kLevels[rest % kLevelCount], window[i], false});
            records.push_back(record);
        }
    }
    return records;
}

}  // namespace kinfold::test
