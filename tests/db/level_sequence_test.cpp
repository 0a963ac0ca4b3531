// Every sequence of four sub-lines with levels from {-1, 0, 1, 2, 3, 32768}
// under an INDI, a FAM and a SOUR must give the objects and answers that the
// loader's context stack gives by the rules (tests/support/level_rules):
// a jump of two levels is still offered to the record, a negative level
// closes every open record, and the lines under a kept name, family link,
// event, partner or repository citation go where a child object would take
// them. The tags of
// each record's four lines come from a sequence in which every ordered pair
// of the kind's tags stands side by side once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/com_test_support.h"
#include "support/level_rules.h"
#include "support/live_object_guard.h"

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

// How the records, loaded from one file, differ from what the rules give.
std::string DifferencesOnLoad(const std::vector<GeneratedRecord>& records) {
    TempFile file(GeneratedFile(records));
    ComPtr<IGEDCOMdb> db = NewDatabase();
    if (!Load(db.get(), file.Path())) return "the file did not load";
    return DifferencesFromRules(db.get(), records);
}

TEST(LevelSequenceTest, EveryLevelSequenceGivesWhatTheContextStackGives) {
    const struct {
        const char* name;
        GeneratedKind kind;
        std::vector<std::string> tags;
    } kinds[] = {
        {"INDI",
         GeneratedKind::Individual,
         {"NAME", "SURN", "SEX", "FAMS", "FAMC", "PEDI", "BIRT", "DEAT", "DATE", "PLAC"}},
        {"FAM",
         GeneratedKind::Family,
         {"HUSB", "WIFE", "CHIL", "MARR", "DATE", "PLAC", "NAME", "BIRT"}},
        {"SOUR", GeneratedKind::Source, {"DATA", "REPO", "CALN", "DATE", "NAME"}},
    };
    LiveObjectGuard guard;
    MessageCapture messages;
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        EXPECT_EQ(DifferencesOnLoad(EveryLevelSequence(kind.kind, kind.tags)).substr(0, 4000), "");
    }
    EXPECT_TRUE(messages.Texts().empty());
}

// The reproducers as filed, one per way the compact model once went astray.
TEST(LevelSequenceTest, ReportedSequencesGiveTheRulesAnswers) {
    const struct {
        const char* name;
        GeneratedRecord record;
    } cases[] = {
        {"a NAME two levels under INDI is the individual's",
         {GeneratedKind::Individual, {{2, "NAME"}, {1, "SEX"}}}},
        {"a SEX two levels under INDI is the individual's",
         {GeneratedKind::Individual, {{2, "SEX"}}}},
        {"a negative level after HUSB closes the family",
         {GeneratedKind::Family, {{1, "HUSB"}, {-1, "WIFE"}, {1, "MARR"}, {2, "DATE"}}}},
        {"a negative level after an event closes the individual",
         {GeneratedKind::Individual, {{1, "BIRT"}, {-1, "PLAC"}, {1, "DEAT"}, {2, "DATE"}}}},
        {"a blank line repeats a NAME without its value",
         {GeneratedKind::Individual, {{1, "NAME"}, {0, "", true}, {2, "SURN"}}}},
        {"lines under PEDI go to the family link",
         {GeneratedKind::Individual, {{1, "FAMC"}, {2, "PEDI"}, {3, "PEDI"}, {2, "DATE"}}}},
        {"a negative level after a repository citation closes the source",
         {GeneratedKind::Source, {{1, "REPO"}, {2, "CALN"}, {-1, "DATA"}, {1, "REPO"}}}},
        {"a REPO under DATA is the source's, and a blank line repeats it",
         {GeneratedKind::Source, {{1, "DATA"}, {2, "REPO"}, {0, "", true}, {3, "CALN"}}}},
    };
    LiveObjectGuard guard;
    MessageCapture messages;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DifferencesOnLoad({c.record}), "");
    }
}

}  // namespace
}  // namespace kinfold::test
