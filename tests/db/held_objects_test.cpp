// A host may keep any object after the database has let go of it: released,
// or cleared for the next load. Every member of every such object must still
// answer safely; the sanitizer build turns a read of freed memory into a
// failure here. Native only: the walk finds members in the dispatch tables.
#ifndef _WIN32

#include <gtest/gtest.h>

#include "host/late_binding.h"
#include "platform/text.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"
#include "support/member_walker.h"

namespace kinfold::test {
namespace {

// One of each kind of object the records hand out: stored records and their
// children, note pointers, embedded notes, places, addresses, change dates,
// reference numbers, citations with their repositories and call numbers,
// multimedia with their files, submitters, the submission, ordinances,
// associations, the header with its source system, and the live collections.
constexpr char kFile[] =
    "0 HEAD\n1 CHAR UTF-8\n1 SOUR APP\n2 CORP Maker\n3 ADDR Street\n1 SUBM @U1@\n1 SUBN @S9@\n"
    "0 @U1@ SUBM\n1 NAME Sub\n1 OBJE @M1@\n"
    "0 @S9@ SUBN\n1 SUBM @U1@\n"
    "0 @S1@ SOUR\n1 TITL Register\n1 REPO @R1@\n2 CALN A/1\n1 DATA\n2 EVEN BIRT\n2 TEXT t\n"
    "0 @R1@ REPO\n1 NAME Archive\n1 ADDR Road\n"
    "0 @M1@ OBJE\n1 FILE a.jpg\n2 FORM jpg\n"
    "0 @I1@ INDI\n1 NAME Ann /Lee/\n2 NOTE @N1@\n1 SEX F\n"
    "1 BIRT\n2 DATE 1 JAN 1900\n2 PLAC Town\n3 FONE Tawn\n3 MAP\n4 LATI N1\n4 LONG W2\n"
    "2 ADDR 1 Road\n3 CITY Town\n2 PHON 555\n2 NOTE inline\n"
    "1 FAMC @F1@\n2 PEDI birth\n1 FAMS @F2@\n1 ALIA @I2@\n"
    "1 NOTE @N1@\n1 NOTE embedded\n1 REFN 7\n2 TYPE card\n1 CHAN\n2 DATE 1 JAN 2000\n"
    "1 SOUR @S1@\n2 PAGE 4\n1 OBJE @M1@\n1 OBJE\n2 FORM gif\n1 BAPL\n2 FAMC @F1@\n"
    "1 ASSO @I2@\n1 SUBM @U1@\n"
    "0 @I2@ INDI\n1 NAME Bo /Lee/\n1 FAMS @F1@\n1 DEAT Y\n"
    "0 @I3@ INDI\n1 NAME Cy /Ray/\n1 FAMS @F2@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n1 MARR\n2 PLAC Church\n1 NOTE @N1@\n"
    "0 @F2@ FAM\n1 HUSB @I3@\n1 WIFE @I1@\n1 NCHI 2\n"
    "0 @N1@ NOTE Shared\n1 CONT text\n1 REFN N-1\n1 CHAN\n2 DATE 2 FEB 2002\n"
    "0 TRLR\n";

constexpr char kOtherFile[] = "0 HEAD\n0 @I9@ INDI\n1 NAME Di /Fox/\n0 TRLR\n";

class HeldObjectsTest : public ::testing::Test {
   protected:
    // Walks the database from its stores, keeping every record met and, when
    // asked, every collection.
    void WalkAndKeep(IGEDCOMdb* db, bool collectionsToo) {
        walker_.KeepWalkedObjects(collectionsToo);
        for (const char* store : {"Individuals", "Families", "Notes", "Sources", "Repositories",
                                  "Multimedia", "Submitters", "Header"}) {
            Variant start;
            ASSERT_EQ(InvokeByName(db, store, DISPATCH_PROPERTYGET, {}, &start), S_OK) << store;
            walker_.Walk(start->pdispVal, *InterfaceOf(start->pdispVal));
        }
        ASSERT_GT(walker_.Kept().size(), 40u);
    }

    // Reads every member of every kept object once more, going no deeper.
    void ReadKeptAgain() {
        MemberWalker reader(MemberWalker::Limits{0, 0});
        for (const auto& [object, iface] : walker_.Kept()) reader.Read(object, *iface);
        for (const auto& [read, times] : reader.Unexpected())
            ADD_FAILURE() << read << " (" << times << "x)";
        EXPECT_GT(reader.Reads(), 500);
    }

    LiveObjectGuard guard_;
    MessageCapture messages_;
    TempFile file_{kFile};
    TempFile other_{kOtherFile};
    MemberWalker walker_{MemberWalker::Limits{6, 10}};
};

TEST_F(HeldObjectsTest, ObjectsStaySafeAfterTheDatabaseIsReleased) {
    ComPtr<IGEDCOMdb> db = NewDatabase();
    ASSERT_TRUE(Load(db.get(), file_.Path()));
    WalkAndKeep(db.get(), false);
    db.Reset();
    ReadKeptAgain();
}

TEST_F(HeldObjectsTest, ObjectsStaySafeAfterTheDatabaseLoadsAnotherFile) {
    ComPtr<IGEDCOMdb> db = NewDatabase();
    ASSERT_TRUE(Load(db.get(), file_.Path()));
    WalkAndKeep(db.get(), true);
    ASSERT_TRUE(Load(db.get(), other_.Path()));
    ReadKeptAgain();
    db.Reset();
}

TEST_F(HeldObjectsTest, ObjectsStaySafeAfterAFailedLoad) {
    ComPtr<IGEDCOMdb> db = NewDatabase();
    ASSERT_TRUE(Load(db.get(), file_.Path()));
    WalkAndKeep(db.get(), true);
    EXPECT_FALSE(Load(db.get(), file_.Path() + ".missing"));
    ReadKeptAgain();
    db.Reset();
}

// What a script sees: the pointer's target has gone with the old file.
TEST_F(HeldObjectsTest, KeptNotePointerReportsTheLostReference) {
    ComPtr<IGEDCOMdb> db = NewDatabase();
    ASSERT_TRUE(Load(db.get(), file_.Path()));
    Variant individual;
    Variant notes;
    Variant note;
    ASSERT_EQ(InvokeByName(db.get(), "GetIndividualFromID", DISPATCH_METHOD, {TextVariant("@I1@")},
                           &individual),
              S_OK);
    ASSERT_EQ(InvokeByName(AsObject(individual), "Notes", DISPATCH_PROPERTYGET, {}, &notes), S_OK);
    ASSERT_EQ(InvokeByName(AsObject(notes), "Item", DISPATCH_PROPERTYGET, {LongVariant(1)}, &note),
              S_OK);
    Variant text;
    ASSERT_EQ(InvokeByName(AsObject(note), "Note", DISPATCH_PROPERTYGET, {}, &text), S_OK);
    // A record line's value keeps the blank after the tag.
    EXPECT_EQ(BstrToText(text->bstrVal), " Shared\ntext");

    ASSERT_TRUE(Load(db.get(), other_.Path()));
    Variant lost;
    EXPECT_EQ(InvokeByName(AsObject(note), "Note", DISPATCH_PROPERTYGET, {}, &lost),
              DISP_E_EXCEPTION);
    ComPtr<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, error.Out()), S_OK);
    Bstr description;
    ASSERT_EQ(error->GetDescription(description.Out()), S_OK);
    EXPECT_EQ(description.Text(), "Error: GEDCOM file is corrupt.  Invalid Reference");
}

}  // namespace
}  // namespace kinfold::test

#endif  // _WIN32
