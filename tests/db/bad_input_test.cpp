// Files that are not what the loader expects: none may crash or hang it, a
// failed load leaves an empty database, and a file that changes while the
// database holds it open gives what its bytes now say.
// A blank line inside a record, as some exports write one, must not change
// what any list of sub-records holds: every list of every record kind gives
// the items it would give without the blank lines.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/gedcom_reader.h"
#include "db/gedcom_db.h"
#include "host/member_path.h"
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

struct ListCase {
    const char* file;
    // From the database to the list, then from an item to its text ("" when
    // the item is the text itself).
    const char* list;
    const char* member;
    long count;
    const char* first;
    const char* last;
};

// Blank lines stand before, between and after the listed sub-lines; the last
// case ends the file with them.
const ListCase kCases[] = {
    {"0 @I1@ INDI\n1 NOTE A\n\n1 NOTE B\n\n0 TRLR\n", "Individuals(1).Notes", "Note", 2, "A", "B"},
    {"0 @I1@ INDI\n\n1 REFN 1\n\n\n1 REFN 2\n1 REFN 3\n\n0 TRLR\n", "Individuals(1).UserRefNumbers",
     "RefNumber", 3, "1", "3"},
    {"0 @I1@ INDI\n1 OCCU a\n\n1 RESI b\n\n0 TRLR\n", "Individuals(1).Attributes", "GEDCOMTag", 2,
     "OCCU", "RESI"},
    {"0 @I1@ INDI\n1 NAME A /B/\n2 FONE C /D/\n\n2 FONE E /F/\n\n0 TRLR\n",
     "Individuals(1).Name.PhoneticVariations", "FullName", 2, "C D", "E F"},
    {"0 @I1@ INDI\n1 NAME A /B/\n2 NOTE x\n\n2 NOTE y\n0 TRLR\n", "Individuals(1).Name.Notes",
     "Note", 2, "x", "y"},
    {"0 @I1@ INDI\n1 BIRT\n2 NOTE x\n\n2 NOTE y\n\n0 TRLR\n", "Individuals(1).Birth.Notes", "Note",
     2, "x", "y"},
    {"0 @I1@ INDI\n1 BIRT\n2 PLAC P\n3 FONE Q\n\n3 FONE R\n\n0 TRLR\n",
     "Individuals(1).Birth.Place.PhoneticVariations", "Name", 2, "Q", "R"},
    {"0 @I1@ INDI\n1 BIRT\n2 ADDR Street\n2 PHON 1\n\n2 PHON 2\n\n0 TRLR\n",
     "Individuals(1).Birth.Address.PhoneNumbers", "", 2, "1", "2"},
    {"0 @I1@ INDI\n1 CHAN\n2 DATE 1 JAN 2000\n2 NOTE x\n\n2 NOTE y\n\n0 TRLR\n",
     "Individuals(1).LastModified.Notes", "Note", 2, "x", "y"},
    {"0 @I1@ INDI\n1 FAMC @F1@\n2 NOTE x\n\n2 NOTE y\n\n0 @F1@ FAM\n1 CHIL @I1@\n0 TRLR\n",
     "Individuals(1).ChildFamilyLinks(1).Notes", "Note", 2, "x", "y"},
    {"0 @F1@ FAM\n1 NOTE x\n\n1 NOTE y\n\n1 REFN 1\n0 TRLR\n", "Families(1).Notes", "Note", 2, "x",
     "y"},
    {"0 @F1@ FAM\n1 REFN 1\n\n1 REFN 2\n\n0 TRLR\n", "Families(1).UserRefNumbers", "RefNumber", 2,
     "1", "2"},
    {"0 @N1@ NOTE text\n1 REFN 1\n\n1 REFN 2\n\n0 TRLR\n", "Notes(1).UserRefNumbers", "RefNumber",
     2, "1", "2"},
    {"0 @I1@ INDI\n1 SOUR A\n\n1 SOUR B\n\n0 TRLR\n", "Individuals(1).Sources", "Title", 2, "A",
     "B"},
    {"0 @I1@ INDI\n1 OBJE\n2 TITL a\n\n1 OBJE\n2 TITL b\n\n0 TRLR\n", "Individuals(1).Multimedia",
     "Title", 2, "a", "b"},
    {"0 @I1@ INDI\n1 ASSO @I1@\n2 RELA a\n\n1 ASSO @I1@\n2 RELA b\n\n0 TRLR\n",
     "Individuals(1).Associations", "Relation", 2, "a", "b"},
    {"0 @I1@ INDI\n1 BAPL\n\n1 ENDL\n\n0 TRLR\n", "Individuals(1).IndividualOrdinances", "Type", 2,
     "BAPL", "ENDL"},
    {"0 @I1@ INDI\n1 DESI @U1@\n\n1 DESI @U2@\n\n0 @U1@ SUBM\n0 @U2@ SUBM\n0 TRLR\n",
     "Individuals(1).DescendantInterest", "ID", 2, "@U1@", "@U2@"},
    {"0 @F1@ FAM\n1 SLGS\n2 DATE a\n\n1 SLGS\n2 DATE b\n\n0 TRLR\n",
     "Families(1).LDSSpouseSealings", "Date", 2, "a", "b"},
    {"0 @S1@ SOUR\n1 NOTE a\n\n1 NOTE b\n\n0 TRLR\n", "Sources(1).Notes", "Note", 2, "a", "b"},
    {"0 @S1@ SOUR\n1 DATA\n2 TEXT a\n\n2 TEXT b\n\n0 TRLR\n", "Sources(1).Data.Texts", "", 2, "a",
     "b"},
    {"0 @R1@ REPO\n1 NOTE a\n\n1 NOTE b\n\n0 TRLR\n", "Repositories(1).Notes", "Note", 2, "a", "b"},
    {"0 @U1@ SUBM\n1 OBJE\n2 TITL a\n\n1 OBJE\n2 TITL b\n\n0 TRLR\n", "Submitters(1).Multimedia",
     "Title", 2, "a", "b"},
    // A blank line among continuation lines adds nothing to the text.
    {"0 @I1@ INDI\n1 NOTE A\n2 CONT x\n\n2 CONC y\n\n1 NOTE B\n0 TRLR\n", "Individuals(1).Notes",
     "Note", 2, "A\nx y", "B"},
    {"0 @I1@ INDI\n1 NOTE A\n\n1 NOTE B\n\n\n", "Individuals(1).Notes", "Note", 2, "A", "B"},
};

class BlankLineTest : public ::testing::TestWithParam<ListCase> {
   protected:
    LiveObjectGuard guard_;  // checked after every other member is gone
    MessageCapture messages_;
};

std::string ItemText(IDispatch* db, const ListCase& c, long index) {
    std::string path = std::string(c.list) + ".Item(" + std::to_string(index) + ")";
    if (*c.member != '\0') path.append(".").append(c.member);
    return ReadPathText(db, path);
}

TEST_P(BlankLineTest, ListsHoldWhatTheyHoldWithoutBlankLines) {
    const ListCase& c = GetParam();
    TempFile file(std::string("0 HEAD\n") + c.file);
    ComPtr<IGEDCOMdb> db = NewDatabase();
    ASSERT_TRUE(Load(db.get(), file.Path()));
    ComPtr<IDispatch> script;
    db->QueryInterface(IID_IDispatch, script.OutVoid());
    Variant count;
    ASSERT_EQ(ReadPath(script.get(), std::string(c.list) + ".Count", &count), S_OK);
    EXPECT_EQ(count->lVal, c.count);
    EXPECT_EQ(ItemText(script.get(), c, 1), c.first);
    EXPECT_EQ(ItemText(script.get(), c, c.count), c.last);
    EXPECT_TRUE(messages_.Texts().empty());
}

INSTANTIATE_TEST_SUITE_P(EveryList, BlankLineTest, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace kinfold::test
