// A user reference number: the REFN value and the TYPE under it.
#include <gtest/gtest.h>

#include "records/source/sub_record_fixture.h"

namespace kinfold::test {
namespace {

class ReferenceNumberTest : public SubRecordFixture {};

TEST_F(ReferenceNumberTest, ValueAndType) {
    LoadText("0 @N1@ NOTE a\n1 REFN 123\n2 TYPE catalog\n0 @N2@ NOTE b\n1 REFN 9\n0 TRLR\n");
    const struct {
        const char* owner;
        const char* number;
        const char* type;
    } cases[] = {{"@N1@", "123", "catalog"}, {"@N2@", "9", ""}};
    for (const auto& c : cases) {
        ComPtr<IGDReferenceNumberRecord> refn(Made<IGDReferenceNumberRecord>(
            Owner(Database().NoteStore(), c.owner), "REFN",
            &CreateRecordOf<RecordKind::ReferenceNumber>));
        ASSERT_TRUE(refn);
        EXPECT_EQ(TextOf(refn.get(), &IGDReferenceNumberRecord::get_RefNumber), c.number);
        EXPECT_EQ(TextOf(refn.get(), &IGDReferenceNumberRecord::get_Type), c.type);
        EXPECT_EQ(refn->get_RefNumber(nullptr), E_POINTER);
        EXPECT_EQ(refn->get_Type(nullptr), E_POINTER);
    }
}

}  // namespace
}  // namespace kinfold::test
