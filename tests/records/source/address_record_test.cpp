// An address: its text and parts under ADDR, and the telephone, e-mail, fax
// and web lines beside ADDR under the owner's line.
#include "records/source/address_record.h"

#include <gtest/gtest.h>

#include "records/source/sub_record_fixture.h"

namespace kinfold::test {
namespace {

using AddressText = HRESULT (STDMETHODCALLTYPE IGDAddressRecord::*)(BSTR*);
using AddressList = HRESULT (STDMETHODCALLTYPE IGDAddressRecord::*)(IGDList**);

constexpr char kAddressFile[] =
    "0 @R1@ REPO\n1 NAME Archive\n"
    "1 ADDR 12 Main St\n2 CONT Springfield\n2 CITY Springfield\n2 STAE IL\n2 POST 62701\n"
    "2 CTRY USA\n2 ADR2 Suite 4\n2 PHON 000-under-addr\n"
    "1 PHON 555-1234\n1 PHON 555-9999\n1 EMAIL a@b.org\n1 WWW www.b.org\n"
    "0 @R2@ REPO\n1 PHON 111\n"
    "0 TRLR\n";

class AddressRecordTest : public SubRecordFixture {
   protected:
    void SetUp() override {
        LoadText(kAddressFile);
        *address_.Out() = AddressOf("@R1@");
        ASSERT_TRUE(address_);
    }

    // The address of repository `id` as the repository makes it, or null.
    IGDAddressRecord* AddressOf(std::string_view id) {
        RecordBase* owner = Owner(Database().RepositoryStore(), id);
        RecordBase* record = nullptr;
        if (FAILED(BuildFirstSubRecord(*owner, "ADDR", &CreateRecordOf<RecordKind::Address>,
                                       &record)) ||
            record == nullptr)
            return nullptr;
        static_cast<GDAddressRecord*>(record)->SetOwnerPosition(owner->Position());
        IGDAddressRecord* address = QueryFor<IGDAddressRecord>(record);
        record->Release();
        return address;
    }

    ComPtr<IGDAddressRecord> address_;
};

TEST_F(AddressRecordTest, TextAndPartsComeFromUnderAddrAndOwnerValuesFromBesideIt) {
    const struct {
        AddressText member;
        const char* expected;
    } cases[] = {
        {&IGDAddressRecord::get_Address, "12 Main St\nSpringfield"},
        {&IGDAddressRecord::get_Addr1, ""},
        {&IGDAddressRecord::get_Addr2, "Suite 4"},
        {&IGDAddressRecord::get_Addr3, ""},
        {&IGDAddressRecord::get_City, "Springfield"},
        {&IGDAddressRecord::get_State, "IL"},
        {&IGDAddressRecord::get_PostalCode, "62701"},
        {&IGDAddressRecord::get_Country, "USA"},
        // The PHON under ADDR is not the owner's.
        {&IGDAddressRecord::get_Phone, "555-1234"},
        {&IGDAddressRecord::get_Email, "a@b.org"},
        {&IGDAddressRecord::get_Fax, ""},
        {&IGDAddressRecord::get_WWW, "www.b.org"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextOf(address_.get(), c.member), c.expected) << c.expected;
    }
}

TEST_F(AddressRecordTest, ListsHoldEveryLineBesideAddrInFileOrder) {
    const struct {
        AddressList member;
        std::vector<std::string> expected;
    } cases[] = {
        {&IGDAddressRecord::get_PhoneNumbers, {"555-1234", "555-9999"}},
        {&IGDAddressRecord::get_EmailAddresses, {"a@b.org"}},
        {&IGDAddressRecord::get_FaxNumbers, {}},
        {&IGDAddressRecord::get_WWWSites, {"www.b.org"}},
    };
    for (const auto& c : cases) {
        ComPtr<IGDList> list;
        ASSERT_EQ((address_.get()->*c.member)(list.Out()), S_OK);
        ASSERT_TRUE(list);
        EXPECT_EQ(TextsIn(list.get()), c.expected);
    }
}

TEST_F(AddressRecordTest, ItemCountsFromOneAndFailsPastTheEnd) {
    ComPtr<IGDList> phones;
    ASSERT_EQ(address_->get_PhoneNumbers(phones.Out()), S_OK);
    const struct {
        LONG index;
        HRESULT hr;
        const char* expected;
    } cases[] = {
        {0, S_OK, "555-1234"}, {1, S_OK, "555-1234"}, {2, S_OK, "555-9999"}, {3, E_FAIL, ""}};
    for (const auto& c : cases) {
        VARIANT value;
        VariantInit(&value);
        EXPECT_EQ(phones->get_Item(c.index, &value), c.hr) << c.index;
        if (c.hr == S_OK) {
            ASSERT_EQ(value.vt, VT_BSTR);
            Bstr text;
            *text.Out() = value.bstrVal;
            EXPECT_EQ(text.Text(), c.expected);
        }
    }
}

TEST_F(AddressRecordTest, NullOutPointersAndAnOwnerWithoutAddr) {
    EXPECT_EQ(address_->get_Address(nullptr), E_POINTER);
    EXPECT_EQ(address_->get_City(nullptr), E_POINTER);
    EXPECT_EQ(address_->get_Phone(nullptr), E_POINTER);
    EXPECT_EQ(address_->get_PhoneNumbers(nullptr), E_POINTER);
    EXPECT_EQ(address_->get_WWWSites(nullptr), E_POINTER);
    EXPECT_EQ(AddressOf("@R2@"), nullptr);
    EXPECT_TRUE(messages_.Texts().empty());
}

}  // namespace
}  // namespace kinfold::test
