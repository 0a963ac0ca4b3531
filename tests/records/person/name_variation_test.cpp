// Phonetic and romanized variations of a name: new name objects made from
// the FONE and ROMN lines under it at each read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/person/name_place_fixture.h"

namespace kinfold::test {
namespace {

class NameVariationTest : public NamePlaceFixture {
   protected:
    // Full name, surname, given name and type of each variation, in order.
    std::vector<std::string> Describe(
        IGDNameRecord* name, HRESULT (STDMETHODCALLTYPE IGDNameRecord::*member)(IGDNames**)) {
        std::vector<std::string> found;
        ComPtr<IGDNames> names;
        EXPECT_EQ((name->*member)(names.Out()), S_OK);
        LONG count = 0;
        EXPECT_EQ(names->get_Count(&count), S_OK);
        for (LONG i = 1; i <= count; ++i) {
            ComPtr<IGDNameRecord> variation;
            EXPECT_EQ(names->get_Item(i, variation.Out()), S_OK);
            found.push_back(TextOf(variation.get(), &IGDNameRecord::get_FullName) + "|" +
                            TextOf(variation.get(), &IGDNameRecord::get_Surname) + "|" +
                            TextOf(variation.get(), &IGDNameRecord::get_GivenName) + "|" +
                            TextOf(variation.get(), &IGDNameRecord::get_Type));
        }
        return found;
    }
};

constexpr char kVariationsFile[] =
    "0 @I1@ INDI\n"
    "1 NAME Taro /Yamada/\n2 TYPE birth\n"
    "2 FONE Taro /Yamada/\n3 TYPE kana\n"
    "2 ROMN Tarō /Yamada/\n3 TYPE hepburn\n3 SURN Yamada-san\n"
    "2 FONE Tarou/Yamada/\n3 GIVN Tarou\n"
    "2 SOUR @S1@\n3 FONE Not a variation of the name\n"
    "1 NAME Plain /Name/\n"
    "0 @S1@ SOUR\n0 TRLR\n";

TEST_F(NameVariationTest, OneNamePerLineOfTheTagInFileOrder) {
    LoadText(kVariationsFile);
    ComPtr<IGDNameRecord> name(Name("@I1@"));
    ASSERT_TRUE(name);
    EXPECT_EQ(
        Describe(name.get(), &IGDNameRecord::get_PhoneticVariations),
        (std::vector<std::string>{"Taro Yamada|Yamada|Taro|kana", "Tarou Yamada|Yamada|Tarou|"}));
    EXPECT_EQ(Describe(name.get(), &IGDNameRecord::get_RomanizedVariations),
              (std::vector<std::string>{"Tarō Yamada|Yamada-san|Tarō|hepburn"}));
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(NameVariationTest, ANameWithoutVariationsGivesEmptyCollections) {
    LoadText(kVariationsFile);
    ComPtr<IGDNameRecord> plain(Name("@I1@", 1));
    EXPECT_EQ(CountIn(plain.get(), &IGDNameRecord::get_PhoneticVariations), 0);
    EXPECT_EQ(CountIn(plain.get(), &IGDNameRecord::get_RomanizedVariations), 0);
}

TEST_F(NameVariationTest, EachReadMakesNewObjects) {
    LoadText(kVariationsFile);
    ComPtr<IGDNameRecord> name(Name("@I1@"));
    ComPtr<IGDNames> first;
    ComPtr<IGDNames> second;
    ASSERT_EQ(name->get_PhoneticVariations(first.Out()), S_OK);
    ASSERT_EQ(name->get_PhoneticVariations(second.Out()), S_OK);
    ComPtr<IGDNameRecord> a;
    ComPtr<IGDNameRecord> b;
    ASSERT_EQ(first->get_Item(1, a.Out()), S_OK);
    ASSERT_EQ(second->get_Item(1, b.Out()), S_OK);
    EXPECT_NE(a.get(), b.get());
    EXPECT_EQ(TextOf(a.get(), &IGDNameRecord::get_FullName),
              TextOf(b.get(), &IGDNameRecord::get_FullName));
}

TEST_F(NameVariationTest, AVariationOutlivesTheCollectionThatMadeIt) {
    LoadText(kVariationsFile);
    ComPtr<IGDNameRecord> name(Name("@I1@"));
    ComPtr<IGDNameRecord> variation;
    {
        ComPtr<IGDNames> names;
        ASSERT_EQ(name->get_RomanizedVariations(names.Out()), S_OK);
        ASSERT_EQ(names->get_Item(1, variation.Out()), S_OK);
    }
    EXPECT_EQ(TextOf(variation.get(), &IGDNameRecord::get_Type), "hepburn");
}

TEST_F(NameVariationTest, VariationsOfAVariationAreReadUnderItsOwnLine) {
    LoadText("0 @I1@ INDI\n1 NAME A /B/\n2 ROMN C /D/\n3 FONE E /F/\n2 FONE G /H/\n0 TRLR\n");
    ComPtr<IGDNameRecord> name(Name("@I1@"));
    ComPtr<IGDNames> romanized;
    ASSERT_EQ(name->get_RomanizedVariations(romanized.Out()), S_OK);
    ComPtr<IGDNameRecord> variation;
    ASSERT_EQ(romanized->get_Item(1, variation.Out()), S_OK);
    EXPECT_EQ(Describe(variation.get(), &IGDNameRecord::get_PhoneticVariations),
              (std::vector<std::string>{"E F|F|E|"}));
}

}  // namespace
}  // namespace kinfold::test
