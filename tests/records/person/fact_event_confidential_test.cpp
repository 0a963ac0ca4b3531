// A confidential event: which members give the notice instead of their
// value, which are unchanged, and how the state is written and read.
#include "records/person/fact_event_fixture.h"

namespace kinfold::test {
namespace {

constexpr std::string_view kFile =
    "0 @I1@ INDI\n"
    "1 EVEN Walked\n2 TYPE Graduation\n2 DATE 1918\n2 AGE 22\n2 CAUS Finished school\n"
    "2 AGNC University\n2 RELI None\n2 RESN privacy\n2 PLAC Oxford\n2 ADDR 1 High Street\n"
    "2 FAMC @F1@\n3 ADOP HUSB\n"
    "0 @F1@ FAM\n1 MARR\n2 WIFE\n3 AGE 24\n"
    "0 TRLR\n";

using Text = HRESULT (STDMETHODCALLTYPE IGDFactEventRecord::*)(BSTR*);

class FactEventConfidentialTest : public FactEventFixture {
   protected:
    void SetUp() override {
        LoadText(kFile);
        graduation_ = IndividualEvent("@I1@", 0);
        marriage_ = FamilyEvent("@F1@", 0);
        ASSERT_NE(graduation_, nullptr);
        ASSERT_NE(marriage_, nullptr);
    }

    GDFactEventRecord* graduation_ = nullptr;
    GDFactEventRecord* marriage_ = nullptr;
};

// The state starts undecided (2), which reads as not confidential; a put
// writes one or zero.
TEST_F(FactEventConfidentialTest, ConfidentialPutWritesOneOrZero) {
    EXPECT_EQ(graduation_->ConfidentialState(), 2);
    ComPtr<IGDFactEventRecord> event = AsHost(graduation_);
    VARIANT_BOOL confidential = VARIANT_TRUE;
    EXPECT_EQ(event->get_Confidential(&confidential), S_OK);
    EXPECT_EQ(confidential, VARIANT_FALSE);
    EXPECT_EQ(TextOf(event.get(), &IGDFactEventRecord::get_Date), "1918");
    struct Case {
        VARIANT_BOOL put;
        int32_t state;
        VARIANT_BOOL get;
    };
    for (const Case& c : {Case{VARIANT_TRUE, 1, VARIANT_TRUE},
                          Case{VARIANT_FALSE, 0, VARIANT_FALSE}, Case{1, 1, VARIANT_TRUE}}) {
        SCOPED_TRACE(c.put);
        EXPECT_EQ(event->put_Confidential(c.put), S_OK);
        EXPECT_EQ(graduation_->ConfidentialState(), c.state);
        VARIANT_BOOL read = 5;
        EXPECT_EQ(event->get_Confidential(&read), S_OK);
        EXPECT_EQ(read, c.get);
    }
}

// The details give the notice the database is set to; the classification
// and the links do not.
TEST_F(FactEventConfidentialTest, DetailsGiveTheNoticeClassificationAndLinksDoNot) {
    graduation_->SetConfidentialState(1);
    ComPtr<IGDFactEventRecord> event = AsHost(graduation_);
    struct Case {
        const char* name;
        Text member;
        const char* expected;
    };
    const Case cases[] = {
        {"Date", &IGDFactEventRecord::get_Date, "Confidential"},
        {"Age", &IGDFactEventRecord::get_Age, "Confidential"},
        {"Data", &IGDFactEventRecord::get_Data, "Confidential"},
        {"ResponsibleAgency", &IGDFactEventRecord::get_ResponsibleAgency, "Confidential"},
        {"ReligiousAffiliation", &IGDFactEventRecord::get_ReligiousAffiliation, "Confidential"},
        {"Cause", &IGDFactEventRecord::get_Cause, "Confidential"},
        {"Type", &IGDFactEventRecord::get_Type, "Graduation"},
        {"GEDCOMTag", &IGDFactEventRecord::get_GEDCOMTag, "EVEN"},
        {"Descriptor", &IGDFactEventRecord::get_Descriptor, "Graduation"},
        {"RestrictionNotice", &IGDFactEventRecord::get_RestrictionNotice, "privacy"},
        {"AdoptedByParent", &IGDFactEventRecord::get_AdoptedByParent, "HUSB"},
        // There is no partner line to hide.
        {"HusbandAge", &IGDFactEventRecord::get_HusbandAge, ""},
    };
    for (const char* notice : {"Confidential", "Private"}) {
        Bstr text(notice);
        ASSERT_EQ(db_->put_ConfidentialNotice(text.get()), S_OK);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " with notice " + notice);
            const bool hidden = std::string(c.expected) == "Confidential";
            EXPECT_EQ(TextOf(event.get(), c.member), hidden ? notice : c.expected);
        }
    }
    ComPtr<IGDFamilyRecord> family;
    EXPECT_EQ(event->get_AssociatedFamily(family.Out()), S_OK);
    EXPECT_TRUE(family);
}

TEST_F(FactEventConfidentialTest, PartnerAgeIsHiddenOnlyWhereThePartnerLineExists) {
    marriage_->SetConfidentialState(1);
    ComPtr<IGDFactEventRecord> event = AsHost(marriage_);
    EXPECT_EQ(TextOf(event.get(), &IGDFactEventRecord::get_WifeAge), "Confidential");
    EXPECT_EQ(TextOf(event.get(), &IGDFactEventRecord::get_HusbandAge), "");

    marriage_->SetConfidentialState(0);
    EXPECT_EQ(TextOf(event.get(), &IGDFactEventRecord::get_WifeAge), "24");
}

TEST_F(FactEventConfidentialTest, ConfidentialEventHasNoPlaceOfItsOwn) {
    ComPtr<IGDFactEventRecord> event = AsHost(graduation_);
    ComPtr<IGDPlaceRecord> place;
    ASSERT_EQ(event->get_Place(place.Out()), S_OK);
    EXPECT_TRUE(place);

    graduation_->SetConfidentialState(1);
    EXPECT_EQ(event->get_Place(place.Out()), S_OK);
    EXPECT_FALSE(place);

    ASSERT_EQ(db_->put_ReturnBlankPlaces(VARIANT_TRUE), S_OK);
    EXPECT_EQ(event->get_Place(place.Out()), S_OK);
    ComPtr<IGDPlaceRecord> blank;
    Database().BlankPlace()->QueryInterface(IID_IGDPlaceRecord,
                                            reinterpret_cast<void**>(blank.Out()));
    EXPECT_EQ(place.get(), blank.get());
}

}  // namespace
}  // namespace kinfold::test
