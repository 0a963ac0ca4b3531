// Selecting individuals by a pattern over one field, and sorting lists of
// individuals that a host passes as arrays or collections.
// The sort keys built from a packed order: each key code, repeats, codes
// that add nothing, the separator after each field, and confidential data.
#include <gtest/gtest.h>

#include "assistant/assistant_fixture.h"
#include "assistant/sort_key.h"
#include "core/fixed_string.h"

namespace kinfold::test {
namespace {

constexpr char kPeople[] =
    "0 @I1@ INDI\n1 NAME John /Smith/\n1 SEX M\n1 BIRT\n2 DATE ABT 1850\n"
    "0 @I2@ INDI\n1 NAME Jane /SMITH/\n1 SEX F\n1 BIRT\n2 DATE 1850\n"
    "0 @I3@ INDI\n1 NAME Sonny /Smithson/\n1 SEX m\n1 BIRT\n2 DATE 999\n"
    "0 @I4@ INDI\n1 NAME Jack /Johnson/\n"
    "0 @I5@ INDI\n"
    "0 @I6@ INDI\n1 NAME Hans /Schmidt/\n1 SEX M\n"
    "0 @I7@ INDI\n1 NAME Joe /Smyth/\n1 SEX M\n"
    "0 @I8@ INDI\n1 NAME Al /Sonny/\n"
    "0 @I9@ INDI\n1 NAME Unit /12b/\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n"
    "0 TRLR\n";

const Ids kEveryone{"@I1@", "@I2@", "@I3@", "@I4@", "@I5@", "@I6@", "@I7@", "@I8@", "@I9@"};
const Ids kBySurnameGiven{"@I5@", "@I9@", "@I4@", "@I6@", "@I2@", "@I1@", "@I3@", "@I7@", "@I8@"};

class ExtractionTest : public AssistantFixture {
   protected:
    void SetUp() override { LoadText(kPeople); }

    Ids Sort(VARIANT list, LONG order) {
        return IdsOf(
            assistant_->SortIndividuals(list, static_cast<gd_IndSortOrder>(order), list_.Out()));
    }
};

TEST_F(ExtractionTest, PatternsSelectByEachField) {
    VARIANT empty;
    VariantInit(&empty);
    const struct {
        gd_SubCategories category;
        VARIANT criteria;
        Ids expected;
        LONG order = gd_sortNone;  // results come in key order
    } cases[] = {
        {gd_subcatSurname, TextVariant("sm"), {"@I1@", "@I2@", "@I3@", "@I7@"}},
        {gd_subcatSurname, TextVariant("smith"), {"@I1@", "@I2@", "@I3@"}},
        {gd_subcatSurname, TextVariant("*son"), {"@I3@", "@I4@"}},
        {gd_subcatSurname, TextVariant("smi*xyz"), {"@I1@", "@I2@", "@I3@"}},
        {gd_subcatSurname, TextVariant("*"), kEveryone},
        {gd_subcatSurname, TextVariant(""), kEveryone},
        {gd_subcatSurname, empty, kEveryone},
        {gd_subcatSurname, LongVariant(12), {"@I9@"}},
        {gd_subcatSoundex, TextVariant("S530"), {"@I1@", "@I2@", "@I7@"}},
        {gd_subcatSoundex, TextVariant("s5"), {"@I1@", "@I2@", "@I3@", "@I7@", "@I8@"}},
        {gd_subcatGivenName, TextVariant("J*"), {"@I1@", "@I2@", "@I4@", "@I7@"}},
        {gd_subcatSex, TextVariant("M"), {"@I1@", "@I3@", "@I6@", "@I7@"}},
        {gd_subcatSex, TextVariant("Male"), {}},
        {gd_subcatSex, TextVariant("?"), {"@I4@", "@I5@", "@I8@", "@I9@"}},
        {gd_subcatSurname, Null(), {"0x80020005"}},
        {static_cast<gd_SubCategories>(7), TextVariant("S"), {"0x80070057"}},
        {gd_subcatSurname, TextVariant("*"), kBySurnameGiven, gd_sortSurnameGiven},
        {gd_subcatSurname, TextVariant("sm"), {"@I2@", "@I1@", "@I3@", "@I7@"}, -259},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(++row));
        EXPECT_EQ(Extract(c.category, c.criteria, c.order), c.expected);
        EXPECT_EQ(CompareCase(), 1);
    }
}

// The switch is back even when the search fails half way: IDs compare with
// their case again.
TEST_F(ExtractionTest, CaseSwitchIsRestoredAfterAFailingSearch) {
    EXPECT_EQ(Extract(static_cast<gd_SubCategories>(0), TextVariant("x")), Ids{"0x80070057"});
    ComPtr<IGDIndividualRecord> found;
    Bstr lowerId("@i1@");
    EXPECT_EQ(db_->GetIndividualFromID(lowerId.get(), found.Out()), S_OK);
    EXPECT_FALSE(found);

    ComPtr<IGEDCOMdb> empty = NewDatabase();
    ComPtr<IGDAssistant> assistant;
    ASSERT_EQ(empty->get_Assistant(assistant.Out()), S_OK);
    VARIANT criteria = TextVariant("x");
    EXPECT_EQ(assistant->ExtractIndividuals(static_cast<gd_SubCategories>(7), criteria, gd_sortNone,
                                            list_.Out()),
              S_OK);
    VariantClear(&criteria);
    EXPECT_EQ(IdsIn(list_.get()), Ids{});
}

TEST_F(ExtractionTest, SortsArraysAndCollections) {
    ComPtr<IGDIndividuals> everyone;
    ASSERT_EQ(db_->get_Individuals(everyone.Out()), S_OK);
    EXPECT_EQ(Sort(Arg(everyone.get()), gd_sortSurnameGiven), kBySurnameGiven);

    // One dimension from 1: every element counts, a repeated one twice.
    SAFEARRAYBOUND bound{3, 1};
    SAFEARRAY* array = SafeArrayCreate(VT_DISPATCH, 1, &bound);
    for (LONG i = 1; i <= 3; ++i)
        SafeArrayPutElement(array, &i, Individual(i == 2 ? "@I1@" : "@I3@").get());
    VARIANT objects;
    VariantInit(&objects);
    objects.vt = VT_ARRAY | VT_DISPATCH;
    objects.parray = array;
    EXPECT_EQ(Sort(objects, gd_sortSurname), (Ids{"@I1@", "@I3@", "@I3@"}));
    VariantClear(&objects);
}

TEST_F(ExtractionTest, RefusesListsItCannotRead) {
    ComPtr<IGDFactEventTypes> texts;
    ASSERT_EQ(db_->get_IndEventTypes(texts.Out()), S_OK);
    ComPtr<IGEDCOMdb> other = NewDatabase();
    ASSERT_TRUE(Load(other.get(), file_->Path()));
    ComPtr<IGDIndividuals> strangers;
    ASSERT_EQ(other->get_Individuals(strangers.Out()), S_OK);

    auto arrayOf = [](VARTYPE type, UINT dimensions, VARIANT element) {
        SAFEARRAYBOUND bounds[2] = {{1, 0}, {1, 0}};
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_ARRAY | type;
        v.parray = SafeArrayCreate(type, dimensions, bounds);
        LONG at[2] = {0, 0};
        SafeArrayPutElement(v.parray, at,
                            type == VT_VARIANT ? static_cast<void*>(&element) : element.pdispVal);
        if (element.vt == VT_BSTR) VariantClear(&element);  // Arg() holds no reference
        return v;
    };
    VARIANT byReference = Arg(strangers.get());
    IDispatch* held = strangers.get();
    byReference.vt = VT_BYREF | VT_DISPATCH;
    byReference.ppdispVal = &held;
    const struct {
        const char* what;
        VARIANT list;
        Ids expected;
    } cases[] = {
        {"text", TextVariant("x"), {"0x80070057"}},
        {"by reference", byReference, {"0x80070057"}},
        {"no object", Arg(nullptr), {"0x80070057"}},
        {"two dimensions", arrayOf(VT_VARIANT, 2, TextVariant("x")), {"0x8002000B"}},
        {"a text element", arrayOf(VT_VARIANT, 1, TextVariant("x")), {"0x80070057"}},
        {"a family", arrayOf(VT_DISPATCH, 1, Arg(Family("@F1@").get())), {"0x80004002"}},
        {"texts enumerated", Arg(texts.get()), {"0x80070057"}},
        {"another database", Arg(strangers.get()), {"0x80020009"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VARIANT list = c.list;
        EXPECT_EQ(Sort(list, gd_sortSurname), c.expected);
        EXPECT_FALSE(list_);
        if (list.vt == VT_BSTR || (list.vt & VT_ARRAY)) VariantClear(&list);
    }
    EXPECT_EQ(ErrorDescription(), "Record not part of this GEDCOM database");
    EXPECT_EQ(assistant_->SortIndividuals(Arg(strangers.get()), gd_sortNone, nullptr), E_POINTER);
}

constexpr char kKeyedPeople[] =
    "0 @I1@ INDI\n1 NAME John /Smith/\n1 BIRT\n2 DATE ABT 1850\n1 DEAT\n2 DATE 12 MAR 1750/51\n"
    "0 @I2@ INDI\n0 TRLR\n";

class SortKeyTest : public AssistantFixture {
   protected:
    void SetUp() override { LoadText(kKeyedPeople); }

    std::string Key(const char* id, int32_t order) {
        auto* individual = static_cast<IndividualEntry*>(Database().IndividualStore().Find(id));
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
