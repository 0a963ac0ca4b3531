// LastModified and UserRefNumbers of individuals and families: only the
// lines directly under the record count, the first CHAN wins, and each read
// makes new objects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/person/person_record_fixture.h"

namespace kinfold::test {
namespace {

using Strings = std::vector<std::string>;

constexpr char kFile[] =
    "0 @I1@ INDI\n1 BIRT\n2 CHAN\n3 DATE 1 JAN 1999\n2 REFN under-event\n1 REFN 17\n2 TYPE card\n"
    "1 CHAN\n2 DATE 2 FEB 2002\n3 TIME 10:11\n1 REFN 18\n1 CHAN\n2 DATE 3 MAR 2003\n"
    "0 @I2@ INDI\n1 NAME Bare /Person/\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 REFN F-1\n1 CHAN\n2 DATE 4 APR 2004\n"
    "0 @F2@ FAM\n1 MARR\n2 CHAN\n3 DATE 5 MAY 2005\n"
    "0 TRLR\n";

class RecordHistoryTest : public PersonRecordFixture {
   protected:
    void SetUp() override { LoadText(kFile); }

    template <class Record>
    static std::string ChangeDateOf(Record* record) {
        ComPtr<IGDChangeDateRecord> change;
        if (FAILED(record->get_LastModified(change.Out()))) return "<failed>";
        if (!change) return "<none>";
        return TextOf(change.get(), &IGDChangeDateRecord::get_Date) + " " +
               TextOf(change.get(), &IGDChangeDateRecord::get_Time);
    }

    // Each reference number as "number/type", in file order.
    template <class Record>
    static Strings RefNumbersOf(Record* record) {
        ComPtr<IGDReferenceNumbers> numbers;
        LONG count = 0;
        if (FAILED(record->get_UserRefNumbers(numbers.Out())) || FAILED(numbers->get_Count(&count)))
            return {"<failed>"};
        Strings texts;
        for (LONG i = 1; i <= count; ++i) {
            ComPtr<IGDReferenceNumberRecord> number;
            if (FAILED(numbers->get_Item(i, number.Out()))) return {"<failed>"};
            texts.push_back(TextOf(number.get(), &IGDReferenceNumberRecord::get_RefNumber) + "/" +
                            TextOf(number.get(), &IGDReferenceNumberRecord::get_Type));
        }
        return texts;
    }
};

TEST_F(RecordHistoryTest, IndividualsAndFamiliesUseTheirOwnLinesOnly) {
    const struct {
        const char* id;
        const char* changed;
        Strings numbers;
    } cases[] = {
        {"@I1@", "2 FEB 2002 10:11", {"17/card", "18/"}},
        {"@I2@", "<none>", {}},
        {"@F1@", "4 APR 2004 ", {"F-1/"}},
        {"@F2@", "<none>", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        if (c.id[1] == 'I') {
            ComPtr<IGDIndividualRecord> individual = Individual(c.id);
            EXPECT_EQ(ChangeDateOf(individual.get()), c.changed);
            EXPECT_EQ(RefNumbersOf(individual.get()), c.numbers);
        } else {
            ComPtr<IGDFamilyRecord> family = Family(c.id);
            EXPECT_EQ(ChangeDateOf(family.get()), c.changed);
            EXPECT_EQ(RefNumbersOf(family.get()), c.numbers);
        }
    }
}

// Nothing is kept between reads, and a confidential record still tells when
// it changed: neither member is withheld.
TEST_F(RecordHistoryTest, EachReadMakesNewObjectsAndConfidentialityDoesNotHide) {
    ComPtr<IGDIndividualRecord> individual = Individual("@I1@");
    ComPtr<IGDChangeDateRecord> first;
    ComPtr<IGDChangeDateRecord> second;
    ASSERT_EQ(individual->get_LastModified(first.Out()), S_OK);
    ASSERT_EQ(individual->get_LastModified(second.Out()), S_OK);
    EXPECT_NE(first.get(), second.get());

    ASSERT_EQ(individual->put_Confidential(VARIANT_TRUE), S_OK);
    EXPECT_EQ(ChangeDateOf(individual.get()), "2 FEB 2002 10:11");
    EXPECT_EQ(RefNumbersOf(individual.get()), (Strings{"17/card", "18/"}));
    ComPtr<IGDFamilyRecord> family = Family("@F1@");
    ASSERT_EQ(family->put_Confidential(VARIANT_TRUE), S_OK);
    EXPECT_EQ(RefNumbersOf(family.get()), (Strings{"F-1/"}));
}

TEST_F(RecordHistoryTest, OutArgumentConventions) {
    ComPtr<IGDIndividualRecord> individual = Individual("@I1@");
    ComPtr<IGDFamilyRecord> family = Family("@F1@");
    EXPECT_EQ(individual->get_LastModified(nullptr), E_POINTER);
    EXPECT_EQ(individual->get_UserRefNumbers(nullptr), E_POINTER);
    EXPECT_EQ(family->get_LastModified(nullptr), E_POINTER);
    EXPECT_EQ(family->get_UserRefNumbers(nullptr), E_POINTER);

    // A value already in the out-argument is released before the new one is stored.
    ComPtr<IGDChangeDateRecord> change;
    ASSERT_EQ(individual->get_LastModified(change.Out()), S_OK);
    ASSERT_TRUE(change);
    IGDChangeDateRecord* reused = change.get();
    reused->AddRef();
    EXPECT_EQ(Individual("@I2@")->get_LastModified(&reused), S_OK);
    EXPECT_EQ(reused, nullptr);
}

}  // namespace
}  // namespace kinfold::test
