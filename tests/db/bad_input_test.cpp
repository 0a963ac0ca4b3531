// Files that are not what the loader expects: none may crash or hang it, a
// failed load leaves an empty database, and a file that changes while the
// database holds it open gives what its bytes now say.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/gedcom_reader.h"
#include "db/gedcom_db.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

class BadInputTest : public ::testing::Test {
   protected:
    LiveObjectGuard guard_;  // checked after every other member is gone
    ComPtr<IGEDCOMdb> db_ = NewDatabase();
    MessageCapture messages_;
};

std::string Utf16Le(std::string_view ascii) {
    std::string out("\xFF\xFE", 2);
    for (char c : ascii) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

TEST_F(BadInputTest, OddFilesLoadWithoutHarm) {
    struct Case {
        const char* name;
        std::string contents;
        bool loads;
        long individuals;
    };
    const std::string longValue(5000, 'x');
    const std::string nul(1, '\0');
    const Case cases[] = {
        {"empty file", "", true, 0},
        {"not GEDCOM at all", "<html><body>Hello</body></html>\n", true, 0},
        // A NUL ends the text of its line, so that line reads as blank and the
        // line before it is taken again: a second INDI, whose ID the first
        // took, so it is filed under the empty ID.
        {"binary bytes and NULs",
         "0 @I1@ INDI\n" + nul + "\x01\xFF\xFE 1 NAME" + nul + "x\n0 @I2@ INDI\n0 TRLR\n", true, 3},
        {"overlong line", "0 @I1@ INDI\n1 NOTE " + longValue + "\n0 TRLR\n", true, 1},
        {"overlong line of pointers", "0 @I1@ INDI\n" + std::string(3000, '@') + "\n0 TRLR\n", true,
         1},
        {"level above 32767", "0 @I1@ INDI\n40000 NAME x\n99999999999 FAMC @F9@\n0 TRLR\n", true,
         1},
        {"negative level", "0 @I1@ INDI\n-1 FAMC @F9@\n-5 NAME x\n0 TRLR\n", true, 1},
        {"lines with no tag", "0 @I1@ INDI\n1\n2  \n3 @X@\n0 TRLR\n", true, 1},
        {"UTF-16 file", Utf16Le("0 HEAD\r\n0 @I1@ INDI\r\n0 TRLR\r\n"), true, 0},
        {"CR-only line ends", "0 HEAD\r0 @I1@ INDI\r1 NAME A\r0 TRLR\r", true, 0},
        {"truncated in mid-line", "0 @I1@ INDI\n1 NAME Ann /Le", true, 1},
        {"dangling pointer", "0 @I1@ INDI\n1 FAMS @F1@\n", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFile file(c.contents);
        EXPECT_EQ(Load(db_.get(), file.Path()), c.loads);
        EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Individuals), c.individuals);
    }
}

// The reader keeps the block it read last, so a member may still see the
// bytes the file held there; anything else it reads is what the file says
// now. Either way nothing breaks, events whose objects are made only now
// included.
TEST_F(BadInputTest, FileThatShrinksWhileOpenGivesOldOrNewBytes) {
    TempFile file(
        "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 BIRT\n2 DATE 1900\n0 @N1@ NOTE first\n1 CONT second\n"
        "0 TRLR\n");
    ASSERT_TRUE(Load(db_.get(), file.Path()));
    auto* database = static_cast<GEDCOMdb*>(db_.get());
    RecordBase* note = database->NoteStore().Find("@N1@");
    RecordBase* individual = database->IndividualStore().Find("@I1@");
    ASSERT_NE(note, nullptr);
    ASSERT_NE(individual, nullptr);
    EXPECT_EQ(note->ReadText(note->Position()), " first\nsecond");

    using Answers = std::set<std::string>;
    for (const char* contents : {"0 @I1@ INDI\n", ""}) {
        SCOPED_TRACE(contents);
        file.Rewrite(contents);
        EXPECT_EQ(Answers({" first\nsecond", "Unexpected End Of File."})
                      .count(note->ReadText(note->Position())),
                  1u);
        EXPECT_EQ(Answers({"second", ""}).count(note->ReadTagValue("CONT")), 1u);
        EXPECT_EQ(Answers({"NOTE", ""}).count(note->GetTag()), 1u);
        EXPECT_EQ(Answers({"Ann /Lee/", ""}).count(individual->ReadTagValue("NAME")), 1u);
        ComPtr<IGDIndividualRecord> person;
        ASSERT_EQ(individual->QueryInterface(IID_IGDIndividualRecord, person.OutVoid()), S_OK);
        ComPtr<IGDFactEventRecord> birth;
        ASSERT_EQ(person->get_Birth(birth.Out()), S_OK);
        Bstr date;
        ASSERT_EQ(birth->get_Date(date.Out()), S_OK);
        EXPECT_EQ(Answers({"1900", ""}).count(date.Text()), 1u);
    }
}

}  // namespace
}  // namespace kinfold::test
