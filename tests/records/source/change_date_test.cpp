// The sub-records of a record's history: a change date (DATE under CHAN,
// TIME under that DATE, and its notes) and a user reference number (the REFN
// value and the TYPE under it).
#include <gtest/gtest.h>

#include <string>

#include "records/source/sub_record_fixture.h"

namespace kinfold::test {
namespace {

class ChangeDateTest : public SubRecordFixture {
   protected:
    IGDChangeDateRecord* ChangeOf(std::string_view id) {
        return Made<IGDChangeDateRecord>(Owner(Database().NoteStore(), id), "CHAN",
                                         &CreateRecordOf<RecordKind::ChangeDate>);
    }
};

TEST_F(ChangeDateTest, TimeCountsOnlyUnderTheDate) {
    LoadText(
        "0 @N1@ NOTE a\n1 CHAN\n2 DATE 1 JAN 2001\n3 TIME 12:30:00\n2 NOTE changed\n"
        "0 @N2@ NOTE b\n1 CHAN\n2 TIME 08:00\n2 DATE 2 FEB 2002\n"
        "0 @N3@ NOTE c\n1 CHAN\n2 TIME 09:00\n"
        "0 TRLR\n");
    const struct {
        const char* id;
        const char* date;
        const char* time;
    } cases[] = {
        {"@N1@", "1 JAN 2001", "12:30:00"},
        {"@N2@", "2 FEB 2002", ""},
        {"@N3@", "", ""},
    };
    for (const auto& c : cases) {
        ComPtr<IGDChangeDateRecord> change(ChangeOf(c.id));
        ASSERT_TRUE(change) << c.id;
        EXPECT_EQ(TextOf(change.get(), &IGDChangeDateRecord::get_Date), c.date);
        EXPECT_EQ(TextOf(change.get(), &IGDChangeDateRecord::get_Time), c.time);
    }
    ComPtr<IGDChangeDateRecord> first(ChangeOf("@N1@"));
    EXPECT_EQ(CountIn(first.get(), &IGDChangeDateRecord::get_Notes), 1);
    EXPECT_EQ(first->get_Date(nullptr), E_POINTER);
    EXPECT_EQ(first->get_Time(nullptr), E_POINTER);
    EXPECT_EQ(first->get_Notes(nullptr), E_POINTER);
}

TEST_F(ChangeDateTest, LongDateIsCut) {
    const std::string date(300, '1');
    LoadText("0 @N1@ NOTE a\n1 CHAN\n2 DATE " + date + "\n0 TRLR\n");
    ComPtr<IGDChangeDateRecord> change(ChangeOf("@N1@"));
    ASSERT_TRUE(change);
    const std::string read = TextOf(change.get(), &IGDChangeDateRecord::get_Date);
    EXPECT_LE(read.size(), 280u);
    EXPECT_EQ(read, date.substr(0, read.size()));
}

class ReferenceNumberTest : public SubRecordFixture {};

TEST_F(ReferenceNumberTest, ValueAndType) {
    LoadText("0 @N1@ NOTE a\n1 REFN 123\n2 TYPE catalog\n0 @N2@ NOTE b\n1 REFN 9\n0 TRLR\n");
    const struct {
        const char* owner;
        const char* number;
        const char* type;
    } cases[] = {{"@N1@", "123", "catalog"}, {"@N2@", "9", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.owner);
        ComPtr<IGDReferenceNumberRecord> refn(
            Made<IGDReferenceNumberRecord>(Owner(Database().NoteStore(), c.owner), "REFN",
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
