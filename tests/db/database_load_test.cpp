// Loading and linking through the database: what ends up in the stores, in
// what order, and which files fail to load.
#include <gtest/gtest.h>

#include "core/fixed_string.h"
#include "support/com_test_support.h"
#include "support/interface_reading.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

constexpr char kFamilyFile[] =
    "0 HEAD\n1 CHAR UTF-8\n"
    "0 @I2@ INDI\n1 NAME Ann /Lee/\n1 FAMS @F1@\n"
    "0 @I10@ INDI\n1 NAME Bob /Lee/\n1 FAMS @F1@\n"
    "0 @I1@ INDI\n1 NAME Cid /Lee/\n1 FAMC @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I10@\n1 WIFE @I2@\n1 CHIL @I1@\n1 MARR\n2 DATE 1900\n"
    "0 @S1@ SOUR\n1 REPO @R1@\n2 CALN 12\n"
    "0 @R1@ REPO\n1 NAME Archive\n"
    "0 @N1@ NOTE A note\n"
    "0 @U1@ SUBM\n1 NAME Me\n"
    "0 @M1@ OBJE\n1 FILE a.jpg\n"
    "0 TRLR\n";

class DatabaseLoadTest : public ::testing::Test {
   protected:
    std::vector<std::string> IndividualIds() {
        std::vector<std::string> ids;
        ComPtr<IGDIndividuals> individuals;
        db_->get_Individuals(individuals.Out());
        LONG count = 0;
        individuals->get_Count(&count);
        for (LONG i = 1; i <= count; ++i) {
            ComPtr<IGDIndividualRecord> individual;
            individuals->get_Item(LongVariant(i), individual.Out());
            ids.push_back(IdOf(individual.get()));
        }
        return ids;
    }
    std::string FoundId(std::string_view id) {
        Bstr wanted(id);
        ComPtr<IGDIndividualRecord> individual;
        EXPECT_EQ(db_->GetIndividualFromID(wanted.get(), individual.Out()), S_OK);
        return IdOf(individual.get());
    }

    LiveObjectGuard guard_;  // checked after every other member is gone
    ComPtr<IGEDCOMdb> db_ = NewDatabase();
    MessageCapture messages_;
};

TEST_F(DatabaseLoadTest, FillsEveryStoreInIdOrder) {
    TempFile file(kFamilyFile);
    ASSERT_TRUE(Load(db_.get(), file.Path()));
    // Byte order of the IDs: "@I10@" sorts before "@I1@" because "0" < "@".
    EXPECT_EQ(IndividualIds(), (std::vector<std::string>{"@I10@", "@I1@", "@I2@"}));
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Families), 1);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Sources), 1);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Repositories), 1);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Notes), 1);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Submitters), 1);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Multimedia), 1);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_FamEventTypes), 1);
    ComPtr<IGDHeaderRecord> header;
    EXPECT_EQ(db_->get_Header(header.Out()), S_OK);
    EXPECT_TRUE(header);
    Bstr name;
    db_->get_FileName(name.Out());
    EXPECT_EQ(name.Text(), file.Path());
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(DatabaseLoadTest, GetIndividualFromIdTakesTheIdWithItsAtSigns) {
    TempFile file(kFamilyFile);
    ASSERT_TRUE(Load(db_.get(), file.Path()));
    EXPECT_EQ(FoundId("@I10@"), "@I10@");
    EXPECT_EQ(FoundId("I10"), "");
    EXPECT_EQ(FoundId("@i10@"), "");
    CompareCaseScope caseBlind(0);
    EXPECT_EQ(FoundId("@i10@"), "@I10@");
}

TEST_F(DatabaseLoadTest, FailedLoadsLeaveAnEmptyDatabase) {
    struct Case {
        const char* name;
        std::string contents;
        bool showsCorruptMessage;
    };
    const Case cases[] = {
        {"dangling FAMC", "0 @I1@ INDI\n1 FAMC @F9@\n0 TRLR\n", true},
        {"dangling CHIL", "0 @F1@ FAM\n1 CHIL @I9@\n0 TRLR\n", true},
        {"dangling HUSB", "0 @F1@ FAM\n1 HUSB @I9@\n0 TRLR\n", true},
        {"dangling REPO under a source", "0 @S1@ SOUR\n1 REPO @R9@\n0 TRLR\n", true},
        {"pointer differing in case", "0 @I1@ INDI\n1 FAMS @f1@\n0 @F1@ FAM\n0 TRLR\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFile good(kFamilyFile);
        ASSERT_TRUE(Load(db_.get(), good.Path()));
        MessageCapture messages;
        TempFile bad(c.contents);
        EXPECT_FALSE(Load(db_.get(), bad.Path()));
        EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Individuals), 0);
        EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Families), 0);
        EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Sources), 0);
        EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_FamEventTypes), 0);
        ASSERT_EQ(messages.Texts().size(), c.showsCorruptMessage ? 1u : 0u);
        EXPECT_EQ(messages.Texts()[0], "ERROR: GEDCOM file is corrupt");
    }
}

TEST_F(DatabaseLoadTest, UnopenableFileGivesFalseWithSOkAndNoMessage) {
    Bstr missing(UnusedTempPath());
    VARIANT_BOOL loaded = VARIANT_TRUE;
    EXPECT_EQ(db_->LoadGEDCOMFile(missing.get(), &loaded), S_OK);
    EXPECT_EQ(loaded, VARIANT_FALSE);
    Bstr name;
    db_->get_FileName(name.Out());
    EXPECT_EQ(name.Text(), "");
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(DatabaseLoadTest, SecondLoadReplacesRecordsAndKeepsOptions) {
    TempFile first(kFamilyFile);
    TempFile second("0 @X1@ INDI\n0 TRLR\n");
    db_->put_ReturnBlankFlags(6);
    ASSERT_TRUE(Load(db_.get(), first.Path()));
    ASSERT_TRUE(Load(db_.get(), second.Path()));
    EXPECT_EQ(IndividualIds(), std::vector<std::string>{"@X1@"});
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Families), 0);
    LONG flags = 0;
    db_->get_ReturnBlankFlags(&flags);
    EXPECT_EQ(flags, 6);
}

// The object of an individual or family is made when the host first gets
// it and kept by the database: asked again, even after the host let go of
// it, it is the same object with the Tag the host stored.
TEST_F(DatabaseLoadTest, RecordObjectsAreMadeOnceAndKeepTheirTag) {
    TempFile file(kFamilyFile);
    ASSERT_TRUE(Load(db_.get(), file.Path()));
    Bstr wanted("@I1@");
    ComPtr<IGDIndividualRecord> first, again;
    ComPtr<IGDFamilyRecord> family, familyAgain;
    ASSERT_EQ(db_->GetIndividualFromID(wanted.get(), first.Out()), S_OK);
    ASSERT_EQ(first->get_ParentFamily(family.Out()), S_OK);
    VARIANT tag;
    VariantInit(&tag);
    V_VT(&tag) = VT_I4;
    V_I4(&tag) = 7;
    ASSERT_EQ(first->put_Tag(tag), S_OK);
    ASSERT_EQ(family->put_Tag(tag), S_OK);
    IGDIndividualRecord* const firstObject = first.get();
    IGDFamilyRecord* const familyObject = family.get();
    first.Reset();
    family.Reset();
    ASSERT_EQ(db_->GetIndividualFromID(wanted.get(), again.Out()), S_OK);
    ASSERT_EQ(again->get_ParentFamily(familyAgain.Out()), S_OK);
    EXPECT_EQ(again.get(), firstObject);
    EXPECT_EQ(familyAgain.get(), familyObject);
    VARIANT individualTag, familyTag;
    VariantInit(&individualTag);
    VariantInit(&familyTag);
    ASSERT_EQ(again->get_Tag(&individualTag), S_OK);
    ASSERT_EQ(familyAgain->get_Tag(&familyTag), S_OK);
    EXPECT_EQ(V_VT(&individualTag), VT_I4);
    EXPECT_EQ(V_I4(&individualTag), 7);
    EXPECT_EQ(V_VT(&familyTag), VT_I4);
    EXPECT_EQ(V_I4(&familyTag), 7);
}

// A host that keeps an individual and its family past a Clear keeps what
// they hold in memory; the new file's records are others.
TEST_F(DatabaseLoadTest, RecordsHeldByTheHostOutliveAClear) {
    TempFile file(kFamilyFile);
    ASSERT_TRUE(Load(db_.get(), file.Path()));
    Bstr wanted("@I1@");
    ComPtr<IGDIndividualRecord> kept;
    ComPtr<IGDFamilyRecord> keptFamily;
    ASSERT_EQ(db_->GetIndividualFromID(wanted.get(), kept.Out()), S_OK);
    ASSERT_EQ(kept->get_ParentFamily(keptFamily.Out()), S_OK);
    TempFile other("0 @X1@ INDI\n0 TRLR\n");
    ASSERT_TRUE(Load(db_.get(), other.Path()));
    EXPECT_EQ(IdOf(kept.get()), "@I1@");
    EXPECT_EQ(TextOf(keptFamily.get(), &IGDFamilyRecord::get_ID), "@F1@");
    ComPtr<IGDNameRecord> name;
    ASSERT_EQ(kept->get_Name(name.Out()), S_OK);
    EXPECT_EQ(TextOf(name.get(), &IGDNameRecord::get_FullName), "Cid Lee");
    EXPECT_EQ(FoundId("@I1@"), "");
}

TEST_F(DatabaseLoadTest, OddButLoadableFiles) {
    const struct {
        const char* name;
        const char* contents;
        std::vector<std::string> individuals;
    } cases[] = {
        {"empty", "", {}},
        {"minimal", "0 HEAD\n0 TRLR\n", {}},
        {"blank lines", "\n\n\n", {}},
        // Pointers inside multimedia and submitter records are resolved, if
        // at all, when their members are read.
        {"pointers not linked while loading",
         "0 @M1@ OBJE\n1 NOTE @N9@\n0 @U1@ SUBM\n1 OBJE @M9@\n"
         "0 @I1@ INDI\n1 SOUR @S9@\n1 NOTE @N9@\n0 TRLR\n",
         {"@I1@"}},
        // The later @I1@ replaces the earlier; the record without an ID is
        // filed under the empty ID, before every other.
        {"level-0 lines of every kind",
         "1 NOTE before any record\n0 HEAD\n1 SOUR first\n0 HEAD\n1 SOUR second\n"
         "0 _CUSTOM\n1 FAMC @F9@\n0 @I1@ INDI\n1 NAME First\n0 @I1@ INDI\n1 NAME Second\n"
         "0 INDI\n0 TRLR\n1 FAMC @F9@\n",
         {"", "@I1@"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFile file(c.contents);
        EXPECT_TRUE(Load(db_.get(), file.Path()));
        EXPECT_EQ(IndividualIds(), c.individuals);
    }
}

}  // namespace
}  // namespace kinfold::test
