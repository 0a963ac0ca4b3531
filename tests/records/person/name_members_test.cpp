// The parts of a name structure read from the file on demand: pieces, type,
// notes and citations; the host tag; the out-argument conventions; and the
// phonetic and romanized variations, new name objects made from the FONE and
// ROMN lines under it at each read.
// How a NAME value becomes given name, surname and full name, and how SURN
// and GIVN lines under it correct the first two.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "platform/text.h"
#include "records/person/name_place_fixture.h"
#include "records/person/name_split.h"
#include "support/host_tag_check.h"

namespace kinfold::test {
namespace {

class NameMembersTest : public NamePlaceFixture {};

constexpr char kPiecesFile[] =
    "0 @I1@ INDI\n"
    "1 NAME Dr. John /van Smith/ Jr.\n2 NPFX Dr.\n2 GIVN John\n2 NICK Jack\n3 CONC ie\n2 SPFX van\n"
    "2 SURN Smith\n2 NSFX Jr.\n2 TYPE birth\n2 NICK Johnny\n2 NOTE First note\n3 CONT more\n"
    "2 NOTE @N1@\n2 SOUR @S1@\n3 PAGE 12\n3 NOTE Not the name's note\n2 SOUR Inline citation\n"
    "1 NAME Jack /Smith/\n1 NOTE Not the name's note either\n"
    "0 @N1@ NOTE Kept note\n"
    "0 @S1@ SOUR\n1 TITL Book\n"
    "0 TRLR\n";

TEST_F(NameMembersTest, PiecesNotesAndSourcesAreTheLinesDirectlyUnderTheName) {
    LoadText(kPiecesFile);
    ComPtr<IGDNameRecord> name(Name("@I1@"));
    ComPtr<IGDNameRecord> other(Name("@I1@", 1));
    ASSERT_TRUE(name);
    ASSERT_TRUE(other);
    const struct {
        HRESULT (STDMETHODCALLTYPE IGDNameRecord::*member)(BSTR*);
        const char* label;
        const char* expected;
    } pieces[] = {
        {&IGDNameRecord::get_Prefix, "Prefix", "Dr."},
        {&IGDNameRecord::get_NickName, "NickName", "Jack"},  // first line only, no CONC
        {&IGDNameRecord::get_SurnamePrefix, "SurnamePrefix", "van"},
        {&IGDNameRecord::get_Suffix, "Suffix", "Jr."},
        {&IGDNameRecord::get_Type, "Type", "birth"},
    };
    for (const auto& piece : pieces) {
        EXPECT_EQ(TextOf(name.get(), piece.member), piece.expected) << piece.label;
        // The second name has none of these lines and must not find the first's.
        EXPECT_EQ(TextOf(other.get(), piece.member), "") << piece.label;
    }
    // Notes and citations too are those directly under the name.
    EXPECT_EQ(CountIn(name.get(), &IGDNameRecord::get_Notes), 2);
    EXPECT_EQ(CountIn(name.get(), &IGDNameRecord::get_Sources), 2);
    EXPECT_EQ(CountIn(other.get(), &IGDNameRecord::get_Notes), 0);
    EXPECT_EQ(CountIn(other.get(), &IGDNameRecord::get_Sources), 0);
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(NameMembersTest, EachReadBuildsNewNotes) {
    LoadText(kPiecesFile);
    ComPtr<IGDNameRecord> name(Name("@I1@"));
    ComPtr<IGDNotes> first;
    ComPtr<IGDNotes> second;
    ASSERT_EQ(name->get_Notes(first.Out()), S_OK);
    ASSERT_EQ(name->get_Notes(second.Out()), S_OK);
    ComPtr<IGDNoteRecord> a;
    ComPtr<IGDNoteRecord> b;
    ASSERT_EQ(first->get_Item(LongVariant(1), a.Out()), S_OK);
    ASSERT_EQ(second->get_Item(LongVariant(1), b.Out()), S_OK);
    EXPECT_NE(a.get(), b.get());
}

TEST_F(NameMembersTest, ADanglingNotePointerEndsTheNotesWithOneMessage) {
    LoadText(
        "0 @I1@ INDI\n1 NAME Ann /Lee/\n2 NOTE Before\n2 NOTE @N9@\n2 NOTE After\n"
        "2 SOUR @S9@\n2 SOUR After\n0 TRLR\n");
    ComPtr<IGDNameRecord> name(Name("@I1@"));
    EXPECT_EQ(CountIn(name.get(), &IGDNameRecord::get_Notes), 1);
    EXPECT_EQ(messages_.Texts(),
              std::vector<std::string>{"ERROR: GEDCOM file is corrupt. Invalid Reference."});
    EXPECT_EQ(CountIn(name.get(), &IGDNameRecord::get_Sources), 0);
    EXPECT_EQ(messages_.Texts().size(), 2u);
}

TEST_F(NameMembersTest, TagAndNullOutPointers) {
    LoadText(kPiecesFile);
    ComPtr<IGDNameRecord> name(Name("@I1@"));
    ExpectHostTagKeepsACopy(name.get());
    for (auto member :
         {&IGDNameRecord::get_FullName, &IGDNameRecord::get_Surname, &IGDNameRecord::get_GivenName,
          &IGDNameRecord::get_Type, &IGDNameRecord::get_Prefix, &IGDNameRecord::get_NickName,
          &IGDNameRecord::get_SurnamePrefix, &IGDNameRecord::get_Suffix})
        EXPECT_EQ((name.get()->*member)(nullptr), E_POINTER);
    EXPECT_EQ(name->get_Notes(nullptr), E_POINTER);
    EXPECT_EQ(name->get_Sources(nullptr), E_POINTER);
    EXPECT_EQ(name->get_PhoneticVariations(nullptr), E_POINTER);
    EXPECT_EQ(name->get_RomanizedVariations(nullptr), E_POINTER);
    EXPECT_EQ(name->get_Confidential(nullptr), E_POINTER);
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(NameMembersTest, OutArgumentsHoldingAValueAreReplaced) {
    LoadText(kPiecesFile);
    ComPtr<IGDNameRecord> name(Name("@I1@"));
    Bstr text;
    BSTR* slot = text.Out();
    *slot = AllocBstr("stale");  // the member must free it
    ASSERT_EQ(name->get_Suffix(slot), S_OK);
    EXPECT_EQ(text.Text(), "Jr.");

    ComPtr<IGDNotes> notes;
    ASSERT_EQ(name->get_Notes(notes.Out()), S_OK);
    IGDNotes* raw = notes.get();
    raw->AddRef();  // the member must release what it finds in the out-argument
    ASSERT_EQ(name->get_Notes(&raw), S_OK);
    ASSERT_NE(raw, nullptr);
    raw->Release();
}

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
    "1 NAME Taro /Yamada/\n2 TYPE birth\n2 FONE Taro /Yamada/\n3 TYPE kana\n2 ROMN Tarō /Yamada/\n"
    "3 TYPE hepburn\n3 SURN Yamada-san\n2 FONE Tarou/Yamada/\n3 GIVN Tarou\n2 SOUR @S1@\n"
    "3 FONE Not a variation of the name\n1 NAME Plain /Name/\n"
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

// Each read makes new objects, and a variation outlives the collection that made it.
TEST_F(NameVariationTest, EachReadMakesNewObjects) {
    LoadText(kVariationsFile);
    ComPtr<IGDNameRecord> name(Name("@I1@"));
    ComPtr<IGDNameRecord> a;
    ComPtr<IGDNameRecord> b;
    {
        ComPtr<IGDNames> first;
        ComPtr<IGDNames> second;
        ASSERT_EQ(name->get_PhoneticVariations(first.Out()), S_OK);
        ASSERT_EQ(name->get_RomanizedVariations(second.Out()), S_OK);
        ASSERT_EQ(first->get_Item(1, a.Out()), S_OK);
        ASSERT_EQ(second->get_Item(1, b.Out()), S_OK);
        ASSERT_EQ(name->get_PhoneticVariations(second.Out()), S_OK);
        ComPtr<IGDNameRecord> again;
        ASSERT_EQ(second->get_Item(1, again.Out()), S_OK);
        EXPECT_NE(a.get(), again.get());
        EXPECT_EQ(TextOf(a.get(), &IGDNameRecord::get_FullName),
                  TextOf(again.get(), &IGDNameRecord::get_FullName));
    }
    EXPECT_EQ(TextOf(b.get(), &IGDNameRecord::get_Type), "hepburn");
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

struct SplitCase {
    const char* value;
    const char* given;
    const char* surname;
    const char* full;
};

const SplitCase kSplitCases[] = {
    {"John /Smith/", "John", "Smith", "John Smith"},
    {"John/Smith/", "John", "Smith", "John Smith"},
    {"/Smith/ John", "", "Smith", "Smith John"},
    {"John /Smith/Jr", "John", "Smith", "John  Smith Jr"},
    {"John /Smith", "John", "Smith", "John Smith"},
    {"/Smith/", "", "Smith", "Smith"},
    {"John Smith", "John Smith", "", "John Smith"},
    {"", "", "", ""},
    // Beyond the common forms: trimming of each part, blanks inside kept,
    // text after the second slash in neither part, a third slash.
    {"  John  /  Smith  /  ", "John", "Smith", "John    Smith"},
    {"John /Smith/ Jr", "John", "Smith", "John Smith Jr"},
    {"John /Smith/ /Jr/", "John", "Smith", "John Smith Jr"},
    {"John //", "John", "", "John"},
    {"/", "", "", ""},
    {"Ann/Lee", "Ann", "Lee", "Ann Lee"},
};

TEST(NameSplitTest, SplitsEveryFormOfTheValue) {
    for (const SplitCase& c : kSplitCases) {
        const NameSplit split = SplitName(c.value);
        EXPECT_EQ(split.givenName, c.given) << "value \"" << c.value << '"';
        EXPECT_EQ(split.surname, c.surname) << "value \"" << c.value << '"';
        EXPECT_EQ(split.fullName, c.full) << "value \"" << c.value << '"';
    }
}

class NameLoadingTest : public NamePlaceFixture {};

TEST_F(NameLoadingTest, EachNameLineIsSplitWhenLoaded) {
    std::string text = "0 HEAD\n";
    for (size_t i = 0; i < std::size(kSplitCases); ++i) {
        text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME";
        if (*kSplitCases[i].value != '\0') text += std::string(" ") + kSplitCases[i].value;
        text += "\n";
    }
    text += "0 TRLR\n";
    LoadText(text);
    for (size_t i = 0; i < std::size(kSplitCases); ++i) {
        const SplitCase& c = kSplitCases[i];
        ComPtr<IGDNameRecord> name(Name("@I" + std::to_string(i) + "@"));
        ASSERT_TRUE(name) << c.value;
        EXPECT_EQ(TextOf(name.get(), &IGDNameRecord::get_GivenName), c.given) << c.value;
        EXPECT_EQ(TextOf(name.get(), &IGDNameRecord::get_Surname), c.surname) << c.value;
        EXPECT_EQ(TextOf(name.get(), &IGDNameRecord::get_FullName), c.full) << c.value;
    }
}

TEST_F(NameLoadingTest, SurnAndGivnReplaceTheSplitButNotTheFullName) {
    LoadText(
        "0 @I1@ INDI\n1 NAME John /Smith/\n2 SURN Smyth\n2 GIVN Jon\n"
        "0 @I2@ INDI\n1 NAME John /Smith/\n2 SURN First\n2 SURN Second\n2 GIVN A\n2 GIVN B\n"
        "0 @I3@ INDI\n1 NAME John /Smith/\n2 SOUR @S1@\n3 SURN Deep\n2 NOTE x\n3 GIVN Deep\n"
        "0 @I4@ INDI\n1 NAME John /Smith/\n2 SURN\n"
        "0 @S1@ SOUR\n0 TRLR\n");
    struct {
        const char* id;
        const char* given;
        const char* surname;
    } const cases[] = {
        {"@I1@", "Jon", "Smyth"},
        {"@I2@", "B", "Second"},    // the last line of each tag wins
        {"@I3@", "John", "Smith"},  // lines deeper than the name's own are not its parts
        {"@I4@", "John", ""},       // an empty SURN still replaces the surname
    };
    for (const auto& c : cases) {
        ComPtr<IGDNameRecord> name(Name(c.id));
        ASSERT_TRUE(name) << c.id;
        EXPECT_EQ(TextOf(name.get(), &IGDNameRecord::get_GivenName), c.given) << c.id;
        EXPECT_EQ(TextOf(name.get(), &IGDNameRecord::get_Surname), c.surname) << c.id;
        EXPECT_EQ(TextOf(name.get(), &IGDNameRecord::get_FullName), "John Smith") << c.id;
    }
}

TEST_F(NameLoadingTest, EveryNameLineOfAnIndividualIsKeptInOrder) {
    LoadText("0 @I1@ INDI\n1 NAME Ann /Lee/\n1 SEX F\n1 NAME Anna /Li/\n2 SURN Lie\n0 TRLR\n");
    ComPtr<IGDNameRecord> first(Name("@I1@", 0));
    ComPtr<IGDNameRecord> second(Name("@I1@", 1));
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_EQ(TextOf(first.get(), &IGDNameRecord::get_Surname), "Lee");
    EXPECT_EQ(TextOf(second.get(), &IGDNameRecord::get_Surname), "Lie");
    EXPECT_EQ(TextOf(second.get(), &IGDNameRecord::get_FullName), "Anna Li");
}

}  // namespace
}  // namespace kinfold::test
