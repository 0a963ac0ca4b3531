// The sort keys built from a packed order: each key code, repeats, codes
// that add nothing, the separator after each field, and confidential data.
#include "assistant/sort_key.h"

#include <gtest/gtest.h>

#include "assistant/assistant_fixture.h"

namespace kinfold::test {
namespace {

constexpr char kPeople[] =
    "0 @I1@ INDI\n1 NAME John /Smith/\n1 BIRT\n2 DATE ABT 1850\n1 DEAT\n2 DATE 12 MAR 1750/51\n"
    "0 @I2@ INDI\n0 TRLR\n";

class SortKeyTest : public AssistantFixture {
   protected:
    void SetUp() override { LoadText(kPeople); }

    std::string Key(const char* id, int32_t order) {
        auto* individual = static_cast<GDIndividualRecord*>(Database().IndividualStore().Find(id));
        return BuildSortKey(*individual, order, Database());
    }
};

TEST(YearKeyTest, LastWordUpToItsSlash) {
    const struct {
        const char* date;
        const char* key;
    } cases[] = {{"12 MAR 1750/51", "1750"},
                 {"ABT 1850", "1850"},
                 {"BET 1800 AND 1810", "1810"},
                 {"1900", "1900"},
                 {"", ""},
                 {"1850 ", ""},
                 {" 1900", " 1900"},
                 {"/51", "/51"},
                 {"1 JAN 1750/", "1750"}};
    for (const auto& c : cases) EXPECT_EQ(YearKey(c.date), c.key) << '"' << c.date << '"';
}

TEST_F(SortKeyTest, EachCodeAddsItsField) {
    const struct {
        const char* id;
        int32_t order;
        const char* key;
    } cases[] = {
        {"@I1@", gd_sortSurname, "smith\x01"},
        {"@I1@", gd_sortGiven, "john\x01"},
        {"@I1@", gd_sortSoundex, "s530\x01"},
        {"@I1@", gd_sortBirth, "1850\x01"},
        {"@I1@", gd_sortDeath, "1750\x01"},
        {"@I1@", gd_sortSurnameGiven, "smith\x01john\x01"},
        {"@I1@", gd_sortGivenSurname, "john\x01smith\x01"},
        {"@I1@", gd_sortSurnameGivenBirth,
         "smith\x01john\x01"
         "1850\x01"},
        {"@I1@", gd_sortSoundexSurnameGiven, "s530\x01smith\x01john\x01"},
        {"@I1@", gd_sortSoundexSurnameGivenBirth,
         "s530\x01smith\x01john\x01"
         "1850\x01"},
        {"@I1@", 0x0101, "smith\x01smith\x01"},
        {"@I1@", 0x06000501, "1750\x01smith\x01"},
        {"@I1@", gd_sortNone, ""},
        {"@I1@", gd_sortSurnameGivenIgnoreConf, ""},
        {"@I1@", -259, "smith\x01john\x01"},
        {"@I2@", gd_sortSurnameGivenBirth, "\x01\x01\x01"},
        {"@I2@", gd_sortSoundex, "\x01"},
    };
    for (const auto& c : cases) EXPECT_EQ(Key(c.id, c.order), c.key) << c.id << " " << c.order;
}

TEST_F(SortKeyTest, ConfidentialDataStandsAsTheNotice) {
    ASSERT_EQ(Individual("@I1@")->put_Confidential(VARIANT_TRUE), S_OK);
    Bstr notice("Not Shown");
    ASSERT_EQ(db_->put_ConfidentialNotice(notice.get()), S_OK);
    const struct {
        int32_t order;
        const char* key;
    } cases[] = {{gd_sortSurnameGiven, "not shownnot shown"},
                 {gd_sortSoundex, "n325"},
                 {gd_sortSurnameGivenBirth, "not shownnot shown\x01"},
                 {-259, "smith\x01john\x01"},
                 {~gd_sortBirth, "1850\x01"}};
    for (const auto& c : cases) EXPECT_EQ(Key("@I1@", c.order), c.key) << c.order;
}

}  // namespace
}  // namespace kinfold::test
