// Soundex codes, with the rules where they differ from the common ones, and
// the tag descriptions: both through the assistant's members.
#include "assistant/soundex.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kinfold::test
