// Every sequence of four sub-lines with levels from {-1, 0, 1, 2, 3, 32768}
// under an INDI, a FAM and a SOUR must give the objects and answers that the
// loader's context stack gives by the rules (tests/support/level_rules):
// a jump of two levels is still offered to the record, a negative level
// closes every open record, and the lines under a kept name, family link,
// event, partner or repository citation go where a child object would take
// them. The tags of
// each record's four lines come from a sequence in which every ordered pair
// of the kind's tags stands side by side once. Each file is loaded on one
// thread and on two.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/com_test_support.h"
#include "support/level_rules.h"
#include "support/level_sequences.h"
#include "support/live_object_guard.h"
#include "support/loading_ways.h"

namespace kinfold::test {
namespace {

// How the records, loaded from one file, differ from what the rules give.
std::string DifferencesOnLoad(const std::vector<GeneratedRecord>& records) {
    TempFile file(GeneratedFile(records));
    ComPtr<IGEDCOMdb> db = NewDatabase();
    if (!Load(db.get(), file.Path())) return "the file did not load";
    return DifferencesFromRules(db.get(), records);
}

TEST(LevelSequenceTest, EveryLevelSequenceGivesWhatTheContextStackGives) {
    LiveObjectGuard guard;
    MessageCapture messages;
    for (const LoadingWay& way : kLoadingWays) {
        ScopedTwoThreadsFrom threads(way.twoThreadsFrom);
        for (const LevelRuleKind& kind : kLevelRuleKinds) {
            SCOPED_TRACE(std::string(kind.name) + ", " + way.name);
            EXPECT_EQ(DifferencesOnLoad(EveryLevelSequence(kind.kind, kind.tags)).substr(0, 4000),
                      "");
        }
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
    for (const LoadingWay& way : kLoadingWays) {
        ScopedTwoThreadsFrom threads(way.twoThreadsFrom);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", " + way.name);
            EXPECT_EQ(DifferencesOnLoad({c.record}), "");
        }
    }
}

}  // namespace
}  // namespace kinfold::test
