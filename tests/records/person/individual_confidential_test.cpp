// The host's choice of confidentiality on an individual: what it reaches
// (names, events, spouse families and their events), what it leaves alone,
// and which members then answer with nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/person/fact_event_record.h"
#include "records/person/family_record.h"
#include "records/person/individual_record.h"
#include "records/person/name_record.h"
#include "records/person/person_record_fixture.h"

namespace kinfold::test {
namespace {

constexpr char kFile[] =
    "0 @I1@ INDI\n1 NAME John /Smith/\n1 NAME Jack /Smith/\n1 BIRT\n2 DATE 1900\n"
    "1 DEAT\n2 DATE 1970\n1 OCCU Miller\n1 NOTE A note\n1 SOUR A citation\n1 ALIA @I2@\n"
    "1 FAMS @F1@\n1 FAMC @F2@\n"
    "0 @I2@ INDI\n1 NAME Other /Person/\n1 FAMS @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n2 DATE 1925\n1 DIV\n1 NOTE Family note\n"
    "1 SOUR Family citation\n"
    "0 @F2@ FAM\n1 CHIL @I1@\n1 MARR\n2 DATE 1890\n"
    "0 TRLR\n";

class IndividualConfidentialTest : public PersonRecordFixture {
   protected:
    void SetUp() override {
        LoadText(kFile);
        person_ = static_cast<IndividualEntry*>(Database().IndividualStore().Find("@I1@"));
        spouseFamily_ = static_cast<FamilyEntry*>(Database().FamilyStore().Find("@F1@"));
        childFamily_ = static_cast<FamilyEntry*>(Database().FamilyStore().Find("@F2@"));
        ASSERT_NE(person_, nullptr);
        ASSERT_NE(spouseFamily_, nullptr);
        ASSERT_NE(childFamily_, nullptr);
    }

    // The states of everything the individual's choice may reach, in a
    // fixed order: individual, names, events, spouse family, its events.
    std::vector<int32_t> ReachedStates() const {
        std::vector<int32_t> states{person_->ConfidentialState()};
        for (const NameLine& name : person_->Names()) states.push_back(name.ConfidentialState());
        for (size_t i = 0; i < person_->Events().Size(); ++i)
            states.push_back(person_->Events().ConfidentialStateAt(i));
        states.push_back(spouseFamily_->ConfidentialState());
        for (size_t i = 0; i < spouseFamily_->Events().Size(); ++i)
            states.push_back(spouseFamily_->Events().ConfidentialStateAt(i));
        return states;
    }

    template <class Collection, class Record, class Member, class... Args>
    static LONG CountFrom(Member member, Record* record, Args... args) {
        ComPtr<Collection> collection;
        LONG count = -1;
        if (FAILED((record->*member)(args..., collection.Out())) ||
            FAILED(collection->get_Count(&count)))
            return -1;
        return count;
    }

    IndividualEntry* person_ = nullptr;
    FamilyEntry* spouseFamily_ = nullptr;
    FamilyEntry* childFamily_ = nullptr;
};

// Everything starts undecided (2), which reads as not confidential.
TEST_F(IndividualConfidentialTest, PutSpreadsToNamesEventsAndSpouseFamilies) {
    ComPtr<IGDIndividualRecord> person = Individual("@I1@");
    EXPECT_EQ(ReachedStates(), std::vector<int32_t>(8, 2));
    VARIANT_BOOL undecided = VARIANT_TRUE;
    EXPECT_EQ(person->get_Confidential(&undecided), S_OK);
    EXPECT_EQ(undecided, VARIANT_FALSE);
    const struct {
        VARIANT_BOOL put;
        int32_t state;
        VARIANT_BOOL get;
    } cases[] = {
        {VARIANT_TRUE, 1, VARIANT_TRUE}, {VARIANT_FALSE, 0, VARIANT_FALSE}, {1, 1, VARIANT_TRUE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.put);
        ASSERT_EQ(person->put_Confidential(c.put), S_OK);
        EXPECT_EQ(ReachedStates(), std::vector<int32_t>(8, c.state));
        VARIANT_BOOL read = 5;
        EXPECT_EQ(person->get_Confidential(&read), S_OK);
        EXPECT_EQ(read, c.get);
    }
}

// Parents are not described by their child's choice, nor is the spouse.
TEST_F(IndividualConfidentialTest, PutLeavesChildFamiliesAndOtherPeopleAlone) {
    ASSERT_EQ(Individual("@I1@")->put_Confidential(VARIANT_TRUE), S_OK);
    EXPECT_EQ(childFamily_->ConfidentialState(), 2);
    EXPECT_EQ(childFamily_->Events().ConfidentialStateAt(0), 2);
    auto* spouse = static_cast<IndividualEntry*>(Database().IndividualStore().Find("@I2@"));
    EXPECT_EQ(spouse->ConfidentialState(), 2);
    EXPECT_EQ(spouse->Names().Front()->ConfidentialState(), 2);
}

TEST_F(IndividualConfidentialTest, ConfidentialIndividualEmptiesOnlyItsPrivateLists) {
    ComPtr<IGDIndividualRecord> person = Individual("@I1@");
    ASSERT_EQ(person->put_Confidential(VARIANT_TRUE), S_OK);
    using I = IGDIndividualRecord;
    EXPECT_EQ(CountFrom<IGDNotes>(&I::get_Notes, person.get()), 0);
    EXPECT_EQ(CountFrom<IGDFactEvents>(&I::get_Attributes, person.get(), Omitted()), 0);
    EXPECT_EQ(CountFrom<IGDIndividuals>(&I::get_Aliases, person.get()), 0);
    EXPECT_EQ(CountFrom<IGDFactEvents>(&I::get_Events, person.get(), Omitted()), 2);
    EXPECT_EQ(CountFrom<IGDNames>(&I::get_Names, person.get()), 2);
    EXPECT_EQ(CountFrom<IGDSources>(&I::get_Sources, person.get()), 1);
    EXPECT_EQ(CountFrom<IGDFamilies>(&I::get_SpouseFamilies, person.get()), 1);

    ASSERT_EQ(person->put_Confidential(VARIANT_FALSE), S_OK);
    EXPECT_EQ(CountFrom<IGDNotes>(&I::get_Notes, person.get()), 1);
    EXPECT_EQ(CountFrom<IGDFactEvents>(&I::get_Attributes, person.get(), Omitted()), 1);
    EXPECT_EQ(CountFrom<IGDIndividuals>(&I::get_Aliases, person.get()), 1);
}

// The family's own choice stays with the family: its events keep theirs.
TEST_F(IndividualConfidentialTest, FamilyPutChangesOnlyTheFamily) {
    ComPtr<IGDFamilyRecord> family = Family("@F1@");
    ASSERT_EQ(family->put_Confidential(VARIANT_TRUE), S_OK);
    EXPECT_EQ(ReachedStates(), (std::vector<int32_t>{2, 2, 2, 2, 2, 1, 2, 2}));
    VARIANT_BOOL read = VARIANT_FALSE;
    EXPECT_EQ(family->get_Confidential(&read), S_OK);
    EXPECT_EQ(read, VARIANT_TRUE);
    ASSERT_EQ(family->put_Confidential(VARIANT_FALSE), S_OK);
    EXPECT_EQ(spouseFamily_->ConfidentialState(), 0);
}

TEST_F(IndividualConfidentialTest, ConfidentialFamilyEmptiesOnlyItsNotes) {
    ComPtr<IGDFamilyRecord> family = Family("@F1@");
    ASSERT_EQ(family->put_Confidential(VARIANT_TRUE), S_OK);
    using F = IGDFamilyRecord;
    EXPECT_EQ(CountFrom<IGDNotes>(&F::get_Notes, family.get()), 0);
    EXPECT_EQ(CountFrom<IGDSources>(&F::get_Sources, family.get()), 1);
    EXPECT_EQ(CountFrom<IGDFactEvents>(&F::get_Events, family.get(), Omitted()), 2);
    ASSERT_EQ(family->put_Confidential(VARIANT_FALSE), S_OK);
    EXPECT_EQ(CountFrom<IGDNotes>(&F::get_Notes, family.get()), 1);
}

}  // namespace
}  // namespace kinfold::test
