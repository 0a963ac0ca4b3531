// The links of an individual to its families: the default and written
// pedigrees, the family each names, the status read on demand, the Tag slot.
#include "records/person/family_link_record.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/gedcom_db.h"
#include "records/person/individual_record.h"
#include "support/com_test_support.h"
#include "support/host_tag_check.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

constexpr std::string_view kFile =
    "0 @I1@ INDI\n1 FAMC @F1@\n"
    "1 FAMC @F2@\n2 NOTE raised by an aunt\n2 PEDI adopted\n2 STAT challenged\n3 NOTE why\n"
    "2 STAT proven\n2 NOTE @N1@\n1 FAMC @F3@\n2 PEDI foster\n2 PEDI Birth\n1 FAMS @F4@\n"
    "1 FAMS @F5@\n2 PEDI\n1 FAMS @F6@\n2 PEDI other\n"
    "0 @F1@ FAM\n0 @F2@ FAM\n0 @F3@ FAM\n0 @F4@ FAM\n0 @F5@ FAM\n0 @F6@ FAM\n"
    "0 @N1@ NOTE court record\n"
    "0 TRLR\n";

class FamilyLinkRecordTest : public ::testing::Test {
   protected:
    void SetUp() override {
        file_ = std::make_unique<TempFile>(kFile);
        ASSERT_TRUE(Load(db_.get(), file_->Path()));
        individual_ = static_cast<IndividualEntry*>(Database().IndividualStore().Find("@I1@"));
        ASSERT_NE(individual_, nullptr);
    }

    GEDCOMdb& Database() const { return *static_cast<GEDCOMdb*>(db_.get()); }

    ComPtr<IGDFamilyLinkRecord> Link(const FamilyLinkList& links, size_t index) const {
        IGDFamilyLinkRecord* out = nullptr;
        if (index < links.Size())
            links.ObjectAt(*individual_, index)
                ->QueryInterface(IID_IGDFamilyLinkRecord, reinterpret_cast<void**>(&out));
        return ComPtr<IGDFamilyLinkRecord>(out);
    }

    static std::string TextOf(IGDFamilyLinkRecord* link,
                              HRESULT (STDMETHODCALLTYPE IGDFamilyLinkRecord::*member)(BSTR*)) {
        Bstr text;
        return SUCCEEDED((link->*member)(text.Out())) ? text.Text() : "<failed>";
    }

    LiveObjectGuard guard_;  // checked after every other member is gone
    std::unique_ptr<TempFile> file_;
    ComPtr<IGEDCOMdb> db_ = NewDatabase();
    IndividualEntry* individual_ = nullptr;
};

TEST_F(FamilyLinkRecordTest, LinksNameTheirFamiliesWithTheirPedigreeAndStatus) {
    struct Case {
        bool child;
        size_t index;
        const char* family;
        const char* pedigree;
        const char* status;
    };
    const Case cases[] = {
        {true, 0, "@F1@", "birth", ""},
        // Written as it stands; the first STAT counts, not what is under it.
        {true, 1, "@F2@", "adopted", "challenged"},
        // The last PEDI wins, its case kept.
        {true, 2, "@F3@", "Birth", ""},
        {false, 0, "@F4@", "spouse", ""},
        // An empty PEDI still replaces the default.
        {false, 1, "@F5@", "", ""},
        {false, 2, "@F6@", "other", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.family);
        ComPtr<IGDFamilyLinkRecord> link = Link(
            c.child ? individual_->ChildFamilyLinks() : individual_->SpouseFamilyLinks(), c.index);
        ASSERT_TRUE(link);
        EXPECT_EQ(TextOf(link.get(), &IGDFamilyLinkRecord::get_PedigreeLinkageType), c.pedigree);
        EXPECT_EQ(TextOf(link.get(), &IGDFamilyLinkRecord::get_LinkageStatus), c.status);

        ComPtr<IGDFamilyRecord> family, expected;
        ASSERT_EQ(link->get_Link(family.Out()), S_OK);
        Database().FamilyStore().Find(c.family)->QueryInterface(
            IID_IGDFamilyRecord, reinterpret_cast<void**>(expected.Out()));
        EXPECT_EQ(family.get(), expected.get());
    }
}

TEST_F(FamilyLinkRecordTest, UnresolvedLinkGivesNoFamily) {
    ComPtr<IGDFamilyLinkRecord> link = Link(individual_->ChildFamilyLinks(), 0);
    auto* internal =
        static_cast<GDFamilyLinkRecord*>(individual_->ChildFamilyLinks().ObjectAt(*individual_, 0));
    RecordBase* family = internal->Family();
    internal->SetTarget(nullptr);
    ComPtr<IGDFamilyRecord> none;
    EXPECT_EQ(link->get_Link(none.Out()), S_OK);
    EXPECT_FALSE(none);
    internal->SetTarget(family);
}

// Only the NOTE lines directly under the link count, in file order, and a
// pointer reads through to its record (whose text, as a record line's value,
// keeps the blank after the tag).
TEST_F(FamilyLinkRecordTest, NotesAreTheLinksOwnNoteLines) {
    const struct {
        size_t index;
        std::vector<std::string> texts;
    } cases[] = {{0, {}}, {1, {"raised by an aunt", " court record"}}};
    for (const auto& c : cases) {
        ComPtr<IGDFamilyLinkRecord> link = Link(individual_->ChildFamilyLinks(), c.index);
        ComPtr<IGDNotes> notes;
        ASSERT_EQ(link->get_Notes(notes.Out()), S_OK);
        LONG count = -1;
        ASSERT_EQ(notes->get_Count(&count), S_OK);
        std::vector<std::string> texts;
        for (LONG i = 1; i <= count; ++i) {
            ComPtr<IGDNoteRecord> note;
            Bstr text;
            ASSERT_EQ(notes->get_Item(LongVariant(i), note.Out()), S_OK);
            ASSERT_EQ(note->get_Note(text.Out()), S_OK);
            texts.push_back(text.Text());
        }
        EXPECT_EQ(texts, c.texts) << c.index;
    }
}

TEST_F(FamilyLinkRecordTest, HostTagAndNullOutPointers) {
    ExpectHostTagKeepsACopy(Link(individual_->SpouseFamilyLinks(), 0).get());
    ComPtr<IGDFamilyLinkRecord> link = Link(individual_->ChildFamilyLinks(), 1);
    EXPECT_EQ(link->get_Link(nullptr), E_POINTER);
    EXPECT_EQ(link->get_LinkageStatus(nullptr), E_POINTER);
    EXPECT_EQ(link->get_PedigreeLinkageType(nullptr), E_POINTER);
    EXPECT_EQ(link->get_Notes(nullptr), E_POINTER);
}

// Link objects are made when first asked for. One asked for only after the
// database is gone still has its written pedigree, names no family, and is
// the same object on every later read.
TEST_F(FamilyLinkRecordTest, LinksFirstAskedForAfterTheDatabaseIsGone) {
    ComPtr<IGDIndividualRecord> held;
    ASSERT_EQ(static_cast<RecordBase*>(individual_)
                  ->QueryInterface(IID_IGDIndividualRecord, held.OutVoid()),
              S_OK);
    db_.Reset();
    ComPtr<IGDFamilyLinks> links;
    ASSERT_EQ(held->get_ChildFamilyLinks(links.Out()), S_OK);
    const std::string pedigrees[] = {"birth", "adopted", "Birth"};
    for (LONG i = 1; i <= 3; ++i) {
        ComPtr<IGDFamilyLinkRecord> link;
        ComPtr<IGDFamilyLinkRecord> again;
        ASSERT_EQ(links->get_Item(i, link.Out()), S_OK);
        ASSERT_EQ(links->get_Item(i, again.Out()), S_OK);
        EXPECT_EQ(link.get(), again.get());
        EXPECT_EQ(TextOf(link.get(), &IGDFamilyLinkRecord::get_PedigreeLinkageType),
                  pedigrees[i - 1]);
        ComPtr<IGDFamilyRecord> family;
        EXPECT_EQ(link->get_Link(family.Out()), S_OK);
        EXPECT_FALSE(family);
    }
}

}  // namespace
}  // namespace kinfold::test
