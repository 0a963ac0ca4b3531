// How a NAME value becomes given name, surname and full name, and how SURN
// and GIVN lines under it correct the first two.
#include "records/person/name_split.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "records/person/name_place_fixture.h"

namespace kinfold::test {
namespace {

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
