// Events are kept from loading as lines and get their objects when a host
// first asks: the object a host gets is the same at every read, carries the
// state the individual gave its events before it was made, keeps what the
// host stored in it, and still answers after the database let go of it.
#include <gtest/gtest.h>

#include "support/scripted_database_test.h"

namespace kinfold::test {
namespace {

constexpr char kFile[] =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 BIRT\n2 DATE 1 JAN 1900\n1 DEAT Y\n1 EVEN\n2 TYPE Voyage\n"
    "1 FAMS @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 MARR\n2 DATE 1920\n1 MARR\n2 DATE 1925\n"
    "0 TRLR\n";

class EventLinesTest : public ScriptedDatabaseTest {
   protected:
    void SetUp() override { LoadText(kFile); }

    // The object a path reads, with one reference for the test to adopt.
    IDispatch* Object(const char* path) {
        Variant value;
        EXPECT_EQ(ReadPath(Script(), path, &value), S_OK) << path;
        IDispatch* object = AsObject(value);
        if (object != nullptr) object->AddRef();
        return object;
    }
};

TEST_F(EventLinesTest, EveryReadGivesTheSameObject) {
    ComPtr<IDispatch> birth(Object("Individuals(1).Birth"));
    ComPtr<IDispatch> first(Object("Individuals(1).Events.Item(1)"));
    ComPtr<IDispatch> filtered(Object("Individuals(1).Events(\"BIRT\").Item(1)"));
    EXPECT_EQ(birth.get(), first.get());
    EXPECT_EQ(birth.get(), filtered.get());
    ASSERT_EQ(Put("Individuals(1).Birth", "Tag", TextVariant("kept")), S_OK);
    ExpectTexts({
        {"Individuals(1).Events.Item(1).Tag", "kept"},
        {"Individuals(1).Death.Data", "Y"},
        {"Individuals(1).Events.Item(3).Descriptor", "Voyage"},
        {"Individuals(1).Events(\"Voyage\").Count", "1"},
        // The last MARR line is the marriage.
        {"Families(1).Married.Date", "1925"},
        {"Families(1).Events(\"MARR\").Count", "2"},
    });
}

// A state given before an event's object exists reaches the object made
// after, and one given after reaches the object already made.
TEST_F(EventLinesTest, ConfidentialityReachesEventsMadeBeforeAndAfter) {
    ComPtr<IDispatch> birth(Object("Individuals(1).Birth"));
    ASSERT_EQ(Put("Individuals(1)", "Confidential", LongVariant(-1)), S_OK);
    ExpectTexts({
        {"Individuals(1).Birth.Confidential", "True"},
        {"Individuals(1).Death.Confidential", "True"},
        {"Individuals(1).Death.Date", "Confidential"},
        {"Families(1).Married.Confidential", "True"},
    });
    ASSERT_EQ(Put("Individuals(1)", "Confidential", LongVariant(0)), S_OK);
    EXPECT_EQ(Text("Individuals(1).Events.Item(3).Confidential"), "False");
}

// Events never asked for before the database is cleared still come from a
// held collection, with what was kept in memory (the file is gone for them).
TEST_F(EventLinesTest, HeldEventsAnswerAfterTheDatabaseLetGo) {
    ComPtr<IDispatch> events(Object("Individuals(1).Events"));
    ComPtr<IDispatch> birth(Object("Individuals(1).Birth"));
    ReleaseDatabase();
    EXPECT_EQ(ReadPathText(events.get(), "Count"), "3");
    EXPECT_EQ(ReadPathText(events.get(), "Item(2).Date"), "");
    EXPECT_EQ(ReadPathText(birth.get(), "Date"), "");
}

}  // namespace
}  // namespace kinfold::test
