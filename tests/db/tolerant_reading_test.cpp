// Files as people have them: a pointer that names no record, a line longer
// than the reader's 279 bytes, a raw line break inside a value. Each file is
// loaded twice: with the database's defaults, which give what the loading
// rules say (a failed load, a split line, a level-0 line of no known kind),
// and with the three tolerant options on, which keep what the file meant
// and say in DroppedLines what they left out or changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/member_path.h"
#include "platform/text.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"
#include "support/loading_ways.h"

namespace kinfold::test {
namespace {

using Texts = std::vector<std::string>;

struct Outcome {
    bool loads;
    Texts answers;  // what the paths of the case read
    std::string loadError;
    Texts dropped;
};

struct Case {
    const char* name;
    std::string file;
    Texts paths;  // what a host reads of the records the case is about
    Outcome exact, tolerant;
};

// A read of a record a failed load left out.
constexpr char kNone[] = "<0x80004005>";

const std::string kLongNote = "1 NOTE " + std::string(400, 'x') + "\n";
const std::string kHugeNote = "1 NOTE " + std::string(70000, 'y') + "\n";

TEST(TolerantReadingTest, ExactByDefaultTolerantWithTheOptions) {
    const Texts kSexAndNote = {"Individuals(\"@I1@\").Sex", "Individuals(\"@I1@\").Notes(1).Note"};
    const Case cases[] = {
        {"a spouse family that is not in the file",
         "0 HEAD\n0 @I1@ INDI\n1 FAMS @F9@\n1 FAMS @F1@\n0 @F1@ FAM\n0 TRLR\n",
         {"Individuals(\"@I1@\").SpouseFamilyLinks.Count"},
         {false, {kNone}, "line 3: FAMS @F9@ names no record", {}},
         {true, {"1"}, "", {"line 3 in @I1@: FAMS @F9@ names no record"}}},
        {"partners and a child that are not in the file",
         "0 HEAD\n0 @F1@ FAM\n1 HUSB @I9@\n1 WIFE @I2@\n1 CHIL @I9@\n1 CHIL @I2@\n1 CHIL @I8@\n"
         "0 @I2@ INDI\n0 TRLR\n",
         {"Families(\"@F1@\").Husband", "Families(\"@F1@\").Wife.ID",
          "Families(\"@F1@\").Children.Count"},
         {false, {kNone, kNone, kNone}, "line 5: CHIL @I9@ names no record", {}},
         {true,
          {"<nothing>", "@I2@", "1"},
          "",
          {"line 3 in @F1@: HUSB @I9@ names no record", "line 5 in @F1@: CHIL @I9@ names no record",
           "line 7 in @F1@: CHIL @I8@ names no record"}}},
        {"a repository that is not in the file",
         "0 HEAD\n0 @S1@ SOUR\n1 REPO @R9@\n1 DATA\n2 REPO @R1@\n0 @R1@ REPO\n0 TRLR\n",
         {"Sources(\"@S1@\").Repositories.Count"},
         {false, {kNone}, "line 3: REPO @R9@ names no record", {}},
         {true, {"1"}, "", {"line 3 in @S1@: REPO @R9@ names no record"}}},
        // Split, the rest of the long line reads as a level-0 line of no
        // known kind, and the lines after it are skipped with it.
        {"a line of 407 bytes",
         "0 HEAD\n0 @I1@ INDI\n" + kLongNote + "1 SEX F\n0 TRLR\n",
         kSexAndNote,
         {true, {"?", std::string(272, 'x')}, "", {}},
         {true, {"F", std::string(400, 'x')}, "", {}}},
        {"a line past the most that is read whole",
         "0 HEAD\n0 @I1@ INDI\n" + kHugeNote + "1 SEX F\n0 TRLR\n",
         kSexAndNote,
         {true, {"?", std::string(272, 'y')}, "", {}},
         {true,
          {"F", std::string(65529, 'y')},
          "",
          {"line 3 in @I1@: NOTE is longer than 65536 bytes; the rest of it is left out"}}},
        {"a raw line break in a note record",
         "0 HEAD\n0 @N1@ NOTE First\nsecond part\n1 CONC more\n0 TRLR\n",
         {"Notes(\"@N1@\").Note"},
         {true, {" First"}, "", {}},
         {true,
          {" First\nsecond part more"},
          "",
          {"line 3 in @N1@: \"second part\" has no level number; read as part of the line "
           "before it"}}},
        {"a raw line break under an individual",
         "0 HEAD\n0 @I1@ INDI\n1 NOTE abc\n2 DATE x\nraw text\n1 SEX M\n0 TRLR\n",
         kSexAndNote,
         {true, {"?", "abc"}, "", {}},
         {true,
          {"M", "abc"},
          "",
          {"line 5 in @I1@: \"raw text\" has no level number; read as part of the line before "
           "it"}}},
        // A UTF-8 byte-order mark stands before the first line's level.
        {"a byte-order mark",
         "\xEF\xBB\xBF"
         "0 HEAD\n0 @I1@ INDI\n1 SEX F\n1 NOTE abc\n0 TRLR\n",
         kSexAndNote,
         {true, {"F", "abc"}, "", {}},
         {true, {"F", "abc"}, "", {}}},
    };
    LiveObjectGuard guard;
    MessageCapture messages;
    for (const Case& c : cases) {
        TempFile file(c.file);
        for (const LoadingWay& way : kLoadingWays) {
            ScopedTwoThreadsFrom threads(way.twoThreadsFrom);
            for (bool tolerant : {false, true}) {
                SCOPED_TRACE(std::string(c.name) + (tolerant ? ", tolerant, " : ", exact, ") +
                             way.name);
                const Outcome& expected = tolerant ? c.tolerant : c.exact;
                ComPtr<IGEDCOMdb> db = NewDatabase();
                ComPtr<IGEDCOMdb3> db3;
                ASSERT_EQ(db->QueryInterface(IID_IGEDCOMdb3, db3.OutVoid()), S_OK);
                const VARIANT_BOOL on = tolerant ? VARIANT_TRUE : VARIANT_FALSE;
                ASSERT_EQ(db3->put_DropDanglingPointers(on), S_OK);
                ASSERT_EQ(db3->put_ReadLongLines(on), S_OK);
                ASSERT_EQ(db3->put_JoinLinesWithoutLevel(on), S_OK);
                EXPECT_EQ(Load(db.get(), file.Path()), expected.loads);
                ComPtr<IDispatch> script;
                ASSERT_EQ(db->QueryInterface(IID_IDispatch, script.OutVoid()), S_OK);
                Texts answers;
                for (const std::string& path : c.paths)
                    answers.push_back(ReadPathText(script.get(), path));
                EXPECT_EQ(answers, expected.answers);
                Bstr error;
                EXPECT_EQ(db3->get_LoadError(error.Out()), S_OK);
                EXPECT_EQ(error.Text(), expected.loadError);
                ComPtr<IGDList> dropped;
                EXPECT_EQ(db3->get_DroppedLines(dropped.Out()), S_OK);
                EXPECT_EQ(TextsIn(dropped.get()), expected.dropped);
            }
        }
    }
}

TEST(TolerantReadingTest, OptionsStartOffAndReadBackAsSet) {
    LiveObjectGuard guard;
    ComPtr<IGEDCOMdb> db = NewDatabase();
    ComPtr<IGEDCOMdb3> db3;
    ASSERT_EQ(db->QueryInterface(IID_IGEDCOMdb3, db3.OutVoid()), S_OK);
    using Getter = HRESULT (STDMETHODCALLTYPE IGEDCOMdb3::*)(VARIANT_BOOL*);
    using Putter = HRESULT (STDMETHODCALLTYPE IGEDCOMdb3::*)(VARIANT_BOOL);
    const struct {
        Getter get;
        Putter put;
    } options[] = {
        {&IGEDCOMdb3::get_DropDanglingPointers, &IGEDCOMdb3::put_DropDanglingPointers},
        {&IGEDCOMdb3::get_ReadLongLines, &IGEDCOMdb3::put_ReadLongLines},
        {&IGEDCOMdb3::get_JoinLinesWithoutLevel, &IGEDCOMdb3::put_JoinLinesWithoutLevel},
    };
    for (const auto& option : options) {
        VARIANT_BOOL value = 7;
        EXPECT_EQ((db3.get()->*option.get)(&value), S_OK);
        EXPECT_EQ(value, VARIANT_FALSE);
        // Any non-zero value is true, as hosts write it.
        EXPECT_EQ((db3.get()->*option.put)(1), S_OK);
        EXPECT_EQ((db3.get()->*option.get)(&value), S_OK);
        EXPECT_EQ(value, VARIANT_TRUE);
        EXPECT_EQ((db3.get()->*option.get)(nullptr), E_POINTER);
    }
    ComPtr<IGDList> dropped;
    EXPECT_EQ(db3->get_DroppedLines(nullptr), E_POINTER);
    EXPECT_EQ(db3->get_DroppedLines(dropped.Out()), S_OK);
    EXPECT_TRUE(TextsIn(dropped.get()).empty());
    Bstr error;
    EXPECT_EQ(db3->get_LoadError(nullptr), E_POINTER);
    VARIANT_BOOL loaded = VARIANT_TRUE;
    const Bstr path(UnusedTempPath());
    EXPECT_EQ(db->LoadGEDCOMFile(path.get(), &loaded), S_OK);
    EXPECT_EQ(loaded, VARIANT_FALSE);
    EXPECT_EQ(db3->get_LoadError(error.Out()), S_OK);
    EXPECT_EQ(error.Text(), "cannot be opened");
}

}  // namespace
}  // namespace kinfold::test
