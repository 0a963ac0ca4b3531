// Files as people have them: a pointer that names no record, a line longer
// than the reader's 279 bytes, a raw line break inside a value. Each file is
// loaded twice: with the database's defaults, which give what the loading
// rules say (a failed load, a split line, a level-0 line of no known kind),
// and with the three tolerant options on, which keep what the file meant
// and say in DroppedLines what they left out or changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

// An Item key that borrows `id`.
VARIANT Key(const Bstr& id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = id.get();
    return v;
}

// What a host reads of the record the case is about, as one text.
std::string SpouseLinksOfI1(IGEDCOMdb* db) {
    Bstr id("@I1@");
    ComPtr<IGDIndividualRecord> person;
    ComPtr<IGDFamilyLinks> links;
    LONG count = -1;
    if (FAILED(db->GetIndividualFromID(id.get(), person.Out())) || !person ||
        FAILED(person->get_SpouseFamilyLinks(links.Out())) || FAILED(links->get_Count(&count)))
        return "no @I1@";
    return "spouse links " + std::to_string(count);
}

std::string PartnersOfF1(IGEDCOMdb* db) {
    ComPtr<IGDFamilies> families;
    ComPtr<IGDFamilyRecord> family;
    const Bstr key("@F1@");
    if (FAILED(db->get_Families(families.Out())) ||
        FAILED(families->get_Item(Key(key), family.Out())) || !family)
        return "no @F1@";
    ComPtr<IGDIndividualRecord> husband, wife;
    ComPtr<IGDIndividuals> childList;
    LONG children = -1;
    family->get_Husband(husband.Out());
    family->get_Wife(wife.Out());
    if (SUCCEEDED(family->get_Children(childList.Out()))) childList->get_Count(&children);
    return "husband " + IdOf(husband.get()) + ", wife " + IdOf(wife.get()) + ", children " +
           std::to_string(children);
}

std::string RepositoriesOfS1(IGEDCOMdb* db) {
    ComPtr<IGDSources> sources;
    ComPtr<IGDSourceRecord> source;
    ComPtr<IGDRepositories> repositories;
    const Bstr key("@S1@");
    LONG count = -1;
    const bool found = SUCCEEDED(db->get_Sources(sources.Out())) &&
                       SUCCEEDED(sources->get_Item(Key(key), source.Out())) && source &&
                       SUCCEEDED(source->get_Repositories(repositories.Out())) &&
                       SUCCEEDED(repositories->get_Count(&count));
    return found ? "repositories " + std::to_string(count) : "no @S1@";
}

std::string NoteOfN1(IGEDCOMdb* db) {
    ComPtr<IGDNotes> notes;
    ComPtr<IGDNoteRecord> note;
    const Bstr key("@N1@");
    Bstr text;
    const bool found = SUCCEEDED(db->get_Notes(notes.Out())) &&
                       SUCCEEDED(notes->get_Item(Key(key), note.Out())) && note &&
                       SUCCEEDED(note->get_Note(text.Out()));
    return found ? text.Text() : "no @N1@";
}

std::string SexAndNoteOfI1(IGEDCOMdb* db) {
    Bstr id("@I1@");
    ComPtr<IGDIndividualRecord> person;
    ComPtr<IGDNotes> notes;
    ComPtr<IGDNoteRecord> note;
    Bstr sex, text;
    if (FAILED(db->GetIndividualFromID(id.get(), person.Out())) || !person) return "no @I1@";
    person->get_Sex(sex.Out());
    person->get_Notes(notes.Out());
    if (notes) notes->get_Item(LongVariant(1), note.Out());
    if (note) note->get_Note(text.Out());
    return "sex " + sex.Text() + ", note " + std::to_string(text.Text().size()) + " bytes " +
           text.Text().substr(0, 3);
}

struct Outcome {
    bool loads;
    std::string answer;
    std::string loadError;
    std::vector<std::string> dropped;
};

struct Case {
    const char* name;
    std::string file;
    std::string (*ask)(IGEDCOMdb*);
    Outcome exact, tolerant;
};

std::vector<std::string> Texts(IGDList* list) {
    std::vector<std::string> texts;
    LONG count = 0;
    if (list == nullptr || FAILED(list->get_Count(&count))) return texts;
    for (LONG i = 1; i <= count; ++i) {
        VARIANT item;
        VariantInit(&item);
        list->get_Item(i, &item);
        texts.push_back(item.vt == VT_BSTR ? BstrToText(item.bstrVal) : "not a text");
        VariantClear(&item);
    }
    return texts;
}

const std::string kLongNote = "1 NOTE " + std::string(400, 'x') + "\n";
const std::string kHugeNote = "1 NOTE " + std::string(70000, 'y') + "\n";

TEST(TolerantReadingTest, ExactByDefaultTolerantWithTheOptions) {
    const Case cases[] = {
        {"a spouse family that is not in the file",
         "0 HEAD\n0 @I1@ INDI\n1 FAMS @F9@\n1 FAMS @F1@\n0 @F1@ FAM\n0 TRLR\n",
         SpouseLinksOfI1,
         {false, "no @I1@", "line 3: FAMS @F9@ names no record", {}},
         {true, "spouse links 1", "", {"line 3 in @I1@: FAMS @F9@ names no record"}}},
        {"partners and a child that are not in the file",
         "0 HEAD\n0 @F1@ FAM\n1 HUSB @I9@\n1 WIFE @I2@\n1 CHIL @I9@\n1 CHIL @I2@\n1 CHIL @I8@\n"
         "0 @I2@ INDI\n0 TRLR\n",
         PartnersOfF1,
         {false, "no @F1@", "line 5: CHIL @I9@ names no record", {}},
         {true,
          "husband , wife @I2@, children 1",
          "",
          {"line 3 in @F1@: HUSB @I9@ names no record", "line 5 in @F1@: CHIL @I9@ names no record",
           "line 7 in @F1@: CHIL @I8@ names no record"}}},
        {"a repository that is not in the file",
         "0 HEAD\n0 @S1@ SOUR\n1 REPO @R9@\n1 DATA\n2 REPO @R1@\n0 @R1@ REPO\n0 TRLR\n",
         RepositoriesOfS1,
         {false, "no @S1@", "line 3: REPO @R9@ names no record", {}},
         {true, "repositories 1", "", {"line 3 in @S1@: REPO @R9@ names no record"}}},
        // Split, the rest of the long line reads as a level-0 line of no
        // known kind, and the lines after it are skipped with it.
        {"a line of 407 bytes",
         "0 HEAD\n0 @I1@ INDI\n" + kLongNote + "1 SEX F\n0 TRLR\n",
         SexAndNoteOfI1,
         {true, "sex ?, note 272 bytes xxx", "", {}},
         {true, "sex F, note 400 bytes xxx", "", {}}},
        {"a line past the most that is read whole",
         "0 HEAD\n0 @I1@ INDI\n" + kHugeNote + "1 SEX F\n0 TRLR\n",
         SexAndNoteOfI1,
         {true, "sex ?, note 272 bytes yyy", "", {}},
         {true,
          "sex F, note 65529 bytes yyy",
          "",
          {"line 3 in @I1@: NOTE is longer than 65536 bytes; the rest of it is left out"}}},
        {"a raw line break in a note record",
         "0 HEAD\n0 @N1@ NOTE First\nsecond part\n1 CONC more\n0 TRLR\n",
         NoteOfN1,
         {true, " First", "", {}},
         {true,
          " First\nsecond part more",
          "",
          {"line 3 in @N1@: \"second part\" has no level number; read as part of the line "
           "before it"}}},
        {"a raw line break under an individual",
         "0 HEAD\n0 @I1@ INDI\n1 NOTE abc\n2 DATE x\nraw text\n1 SEX M\n0 TRLR\n",
         SexAndNoteOfI1,
         {true, "sex ?, note 3 bytes abc", "", {}},
         {true,
          "sex M, note 3 bytes abc",
          "",
          {"line 5 in @I1@: \"raw text\" has no level number; read as part of the line before "
           "it"}}},
        // A UTF-8 byte-order mark stands before the first line's level.
        {"a byte-order mark",
         "\xEF\xBB\xBF"
         "0 HEAD\n0 @I1@ INDI\n1 SEX F\n1 NOTE abc\n0 TRLR\n",
         SexAndNoteOfI1,
         {true, "sex F, note 3 bytes abc", "", {}},
         {true, "sex F, note 3 bytes abc", "", {}}},
    };
    LiveObjectGuard guard;
    MessageCapture messages;
    for (const Case& c : cases) {
        TempFile file(c.file);
        for (bool tolerant : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (tolerant ? ", tolerant" : ", exact"));
            const Outcome& expected = tolerant ? c.tolerant : c.exact;
            ComPtr<IGEDCOMdb> db = NewDatabase();
            ComPtr<IGEDCOMdb3> db3;
            ASSERT_EQ(db->QueryInterface(IID_IGEDCOMdb3, db3.OutVoid()), S_OK);
            const VARIANT_BOOL on = tolerant ? VARIANT_TRUE : VARIANT_FALSE;
            ASSERT_EQ(db3->put_DropDanglingPointers(on), S_OK);
            ASSERT_EQ(db3->put_ReadLongLines(on), S_OK);
            ASSERT_EQ(db3->put_JoinLinesWithoutLevel(on), S_OK);
            EXPECT_EQ(Load(db.get(), file.Path()), expected.loads);
            EXPECT_EQ(c.ask(db.get()), expected.answer);
            Bstr error;
            EXPECT_EQ(db3->get_LoadError(error.Out()), S_OK);
            EXPECT_EQ(error.Text(), expected.loadError);
            ComPtr<IGDList> dropped;
            EXPECT_EQ(db3->get_DroppedLines(dropped.Out()), S_OK);
            EXPECT_EQ(Texts(dropped.get()), expected.dropped);
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
    EXPECT_TRUE(Texts(dropped.get()).empty());
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
