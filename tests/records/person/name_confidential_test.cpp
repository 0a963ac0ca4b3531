// A confidential name shows the database's notice instead of its strings and
// nothing instead of its notes and variations; the blank name shows nothing.
#include <gtest/gtest.h>

#include "records/person/name_place_fixture.h"
#include "records/person/name_record.h"

namespace kinfold::test {
namespace {

class NameConfidentialTest : public NamePlaceFixture {
   protected:
    static GDNameRecord& Inside(IGDNameRecord* name) { return *static_cast<GDNameRecord*>(name); }
};

using StringMember = HRESULT (STDMETHODCALLTYPE IGDNameRecord::*)(BSTR*);
const StringMember kStringMembers[] = {
    &IGDNameRecord::get_FullName,      &IGDNameRecord::get_Surname, &IGDNameRecord::get_GivenName,
    &IGDNameRecord::get_Type,          &IGDNameRecord::get_Prefix,  &IGDNameRecord::get_NickName,
    &IGDNameRecord::get_SurnamePrefix, &IGDNameRecord::get_Suffix,
};

using NamesMember = HRESULT (STDMETHODCALLTYPE IGDNameRecord::*)(IGDNames**);
const NamesMember kVariationMembers[] = {&IGDNameRecord::get_PhoneticVariations,
                                         &IGDNameRecord::get_RomanizedVariations};

constexpr char kFullFile[] =
    "0 @I1@ INDI\n1 NAME Dr. John /Smith/ Jr.\n"
    "2 TYPE aka\n2 NPFX Dr.\n2 NICK Jack\n2 SPFX de\n2 NSFX Jr.\n"
    "2 NOTE A note\n2 SOUR Census\n2 FONE Jon /Smit/\n2 ROMN John /Smith/\n0 TRLR\n";

// The strings give the database's notice as it is at each read.
TEST_F(NameConfidentialTest, AConfidentialNameHidesItsData) {
    LoadText(kFullFile);
    ComPtr<IGDNameRecord> name(Name("@I1@"));
    ASSERT_EQ(name->put_Confidential(VARIANT_TRUE), S_OK);
    EXPECT_EQ(Inside(name.get()).ConfidentialState(), 1);
    VARIANT_BOOL confidential = VARIANT_FALSE;
    ASSERT_EQ(name->get_Confidential(&confidential), S_OK);
    EXPECT_EQ(confidential, VARIANT_TRUE);

    for (const char* notice : {"Confidential", "Living"}) {
        Bstr text(notice);
        ASSERT_EQ(db_->put_ConfidentialNotice(text.get()), S_OK);
        for (StringMember member : kStringMembers) EXPECT_EQ(TextOf(name.get(), member), notice);
    }
    EXPECT_EQ(CountIn(name.get(), &IGDNameRecord::get_Notes), 0);
    for (NamesMember member : kVariationMembers) EXPECT_EQ(CountIn(name.get(), member), 0);
    // Citations are not withheld.
    EXPECT_EQ(CountIn(name.get(), &IGDNameRecord::get_Sources), 1);
}

// A new name is undecided (2), which reads as not confidential; only state 1
// withholds anything; putting false decides 0, any non-zero flag 1.
TEST_F(NameConfidentialTest, OnlyStateOneCountsAsConfidential) {
    LoadText(kFullFile);
    ComPtr<IGDNameRecord> name(Name("@I1@"));
    EXPECT_EQ(Inside(name.get()).ConfidentialState(), 2);
    const struct {
        int32_t state;
        VARIANT_BOOL reads;
        long variations;
    } cases[] = {{2, VARIANT_FALSE, 1}, {0, VARIANT_FALSE, 1}, {1, VARIANT_TRUE, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        Inside(name.get()).SetConfidentialState(c.state);
        VARIANT_BOOL confidential = 5;
        ASSERT_EQ(name->get_Confidential(&confidential), S_OK);
        EXPECT_EQ(confidential, c.reads);
        EXPECT_EQ(CountIn(name.get(), &IGDNameRecord::get_PhoneticVariations), c.variations);
        for (StringMember member : kStringMembers)
            EXPECT_EQ(TextOf(name.get(), member) == "Confidential", c.reads == VARIANT_TRUE);
    }
    ASSERT_EQ(name->put_Confidential(VARIANT_FALSE), S_OK);
    EXPECT_EQ(Inside(name.get()).ConfidentialState(), 0);
    EXPECT_EQ(TextOf(name.get(), &IGDNameRecord::get_FullName), "Dr. John Smith Jr.");
    ASSERT_EQ(name->put_Confidential(1), S_OK);
    EXPECT_EQ(Inside(name.get()).ConfidentialState(), 1);
}

TEST_F(NameConfidentialTest, TheBlankNameIsEmptyEverywhere) {
    LoadText(kFullFile);
    ComPtr<IGDNameRecord> blank(QueryFor<IGDNameRecord>(Database().BlankName()));
    ASSERT_TRUE(blank);
    for (StringMember member : kStringMembers) EXPECT_EQ(TextOf(blank.get(), member), "");
    EXPECT_EQ(CountIn(blank.get(), &IGDNameRecord::get_Notes), 0);
    EXPECT_EQ(CountIn(blank.get(), &IGDNameRecord::get_Sources), 0);
    for (NamesMember member : kVariationMembers) EXPECT_EQ(CountIn(blank.get(), member), 0);
    EXPECT_TRUE(messages_.Texts().empty());
}

}  // namespace
}  // namespace kinfold::test
