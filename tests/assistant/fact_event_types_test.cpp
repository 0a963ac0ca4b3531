// The event and attribute kinds a file uses, as the database lists them:
// ascending byte order, each once, TYPE values for EVEN and FACT lines; and
// live, so a collection held across loads shows the current file's kinds.
#include <gtest/gtest.h>

#include "assistant/assistant_fixture.h"

namespace kinfold::test {
namespace {

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
