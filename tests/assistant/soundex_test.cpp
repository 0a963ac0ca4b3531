// Soundex codes, with the rules where they differ from the common ones, and
// the tag descriptions: both through the assistant's members. The event and
// attribute kinds a file uses, as the database lists them: ascending byte
// order, each once, TYPE values for EVEN and FACT lines; and live, so a
// collection held across loads shows the current file's kinds.
#include "assistant/soundex.h"

#include <gtest/gtest.h>

#include "assistant/assistant_fixture.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

class AssistantTextTest : public ::testing::Test {
   protected:
    std::string Soundex(const char* name) {
        Bstr given(name);
        Bstr code("sentinel");
        return assistant_->Soundex(given.get(), code.Out()) == S_OK ? code.Text() : "<failed>";
    }
    std::string Describe(const char* type) {
        Bstr given(type);
        Bstr text("sentinel");
        return assistant_->GetFactEventTypeDescription(given.get(), text.Out()) == S_OK
                   ? text.Text()
                   : "<failed>";
    }

    void SetUp() override { ASSERT_EQ(db_->get_Assistant(assistant_.Out()), S_OK); }

    LiveObjectGuard guard_;
    ComPtr<IGEDCOMdb> db_ = NewDatabase();
    ComPtr<IGDAssistant> assistant_;
};

TEST_F(AssistantTextTest, SoundexCodes) {
    const struct {
        const char* name;
        const char* code;
    } cases[] = {
        {"Smith", "S530"},
        {"Smyth", "S530"},
        {"Schmidt", "S253"},
        {"Jackson", "J250"},
        {"Tymczak", "T522"},
        {"Gutierrez", "G362"},
        {"Robert", "R163"},
        {"Rupert", "R163"},
        {"Honeyman", "H555"},
        {"Sawyer", "S600"},
        {"Lee", "L000"},
        {"A", "A000"},
        {"Wu", "W000"},
        {"Bbbb", "B100"},
        {"Lloyd", "L430"},
        {"Pfister", "P123"},
        {"Ashcraft", "A226"},
        {" \t smith \r\n", "S530"},
        {"van der Berg", "V536"},
        {"O'Brien", "O165"},
        {"Tymczakowski", "T522"},
        {"", ""},
        {"   ", ""},
        {"1Smith", ""},
        {"\xc3\x89mile", ""},
        {"S-s", "S200"},
    };
    for (const auto& c : cases) EXPECT_EQ(Soundex(c.name), c.code) << '"' << c.name << '"';
    Bstr code;
    EXPECT_EQ(assistant_->Soundex(nullptr, code.Out()), S_OK);
    EXPECT_EQ(code.Text(), "");
    EXPECT_EQ(assistant_->Soundex(nullptr, nullptr), E_POINTER);
}

TEST_F(AssistantTextTest, TagDescriptions) {
    const struct {
        const char* type;
        const char* description;
    } cases[] = {{"BIRT", "Birth"},
                 {"NMR", "Number of Marriages"},
                 {"DIV", "Divorce"},
                 {"FACT", "Fact"},
                 {"birt", "birt"},
                 {"Military Service", "Military Service"},
                 {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(Describe(c.type), c.description) << c.type;
    EXPECT_EQ(assistant_->GetFactEventTypeDescription(nullptr, nullptr), E_POINTER);
}

constexpr char kKinds[] =
    "0 @I1@ INDI\n1 BIRT\n1 DEAT\n1 BIRT\n1 EVEN\n2 TYPE Military Service\n1 EVEN\n"
    "1 FACT Pianist\n2 TYPE Skills\n1 OCCU Miller\n"
    "0 @F1@ FAM\n1 MARR\n1 EVEN\n2 TYPE Blessing of rings\n0 TRLR\n";

class FactEventTypesTest : public AssistantFixture {
   protected:
    static Ids Entries(IGDFactEventTypes* types) {
        LONG count = -1;
        if (types->get_Count(&count) != S_OK) return {"<failed>"};
        Ids entries;
        for (LONG i = 1; i <= count; ++i) {
            Bstr entry;
            if (types->get_Item(i, entry.Out()) != S_OK) return {"<failed>"};
            entries.push_back(entry.Text());
        }
        return entries;
    }
};

TEST_F(FactEventTypesTest, EachKindOnceInByteOrder) {
    LoadText(kKinds);
    ComPtr<IGDFactEventTypes> events, attributes, family;
    ASSERT_EQ(db_->get_IndEventTypes(events.Out()), S_OK);
    ASSERT_EQ(db_->get_IndAttributeTypes(attributes.Out()), S_OK);
    ASSERT_EQ(db_->get_FamEventTypes(family.Out()), S_OK);
    EXPECT_EQ(Entries(events.get()), (Ids{"", "BIRT", "DEAT", "Military Service"}));
    EXPECT_EQ(Entries(attributes.get()), (Ids{"OCCU", "Skills"}));
    EXPECT_EQ(Entries(family.get()), (Ids{"Blessing of rings", "MARR"}));

    Bstr entry;
    EXPECT_EQ(events->get_Item(0, entry.Out()), S_OK);
    EXPECT_EQ(entry.Text(), "");
    EXPECT_EQ(events->get_Item(5, entry.Out()), E_FAIL);

    // Live: a second load shows its own kinds, a failed one none.
    TempFile other("0 @I1@ INDI\n1 CENS\n0 TRLR\n");
    ASSERT_TRUE(Load(db_.get(), other.Path()));
    EXPECT_EQ(Entries(events.get()), Ids{"CENS"});
    EXPECT_FALSE(Load(db_.get(), UnusedTempPath()));
    EXPECT_EQ(Entries(events.get()), Ids{});
    EXPECT_EQ(events->get_Item(1, entry.Out()), E_FAIL);
}

}  // namespace
}  // namespace kinfold::test
