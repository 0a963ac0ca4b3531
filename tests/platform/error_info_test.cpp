// Error information: the object CreateErrorInfo makes, and the per-thread
// slot that SetErrorInfo fills and GetErrorInfo empties.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/automation.h"

namespace {

ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

std::basic_string<OLECHAR> Text(BSTR text) {
    return text ? std::basic_string<OLECHAR>(text, SysStringLen(text)) : std::basic_string<OLECHAR>();
}

// Each test starts and ends with an empty slot.
class ErrorInfoTest : public testing::Test {
   protected:
    void SetUp() override { EXPECT_EQ(S_OK, SetErrorInfo(0, nullptr)); }
    void TearDown() override { SetErrorInfo(0, nullptr); }
};

TEST_F(ErrorInfoTest, EmptySlotGivesSFalseAndNull) {
    IErrorInfo* info = reinterpret_cast<IErrorInfo*>(1);
    EXPECT_EQ(S_FALSE, GetErrorInfo(0, &info));
    EXPECT_EQ(nullptr, info);
    EXPECT_EQ(E_INVALIDARG, GetErrorInfo(1, &info));
    EXPECT_EQ(E_INVALIDARG, GetErrorInfo(0, nullptr));
    EXPECT_EQ(E_INVALIDARG, CreateErrorInfo(nullptr));
}

TEST_F(ErrorInfoTest, ObjectStartsEmptyAndKeepsWhatIsSet) {
    ICreateErrorInfo* create = nullptr;
    ASSERT_EQ(S_OK, CreateErrorInfo(&create));
    IErrorInfo* info = nullptr;
    ASSERT_EQ(S_OK, create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)));
    IUnknown* other = nullptr;
    EXPECT_EQ(E_NOINTERFACE, create->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&other)));

    BSTR text = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(S_OK, info->GetSource(&text));
    EXPECT_EQ(nullptr, text);
    text = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(S_OK, info->GetDescription(&text));
    EXPECT_EQ(nullptr, text);
    DWORD context = 7;
    EXPECT_EQ(S_OK, info->GetHelpContext(&context));
    EXPECT_EQ(0u, context);
    // What a fresh object answers for its GUID differs between runs under
    // Wine, so only a GUID that was set is checked.
    GUID guid = GUID_NULL;
    EXPECT_EQ(S_OK, create->SetGUID(IID_IDispatch));
    EXPECT_EQ(S_OK, info->GetGUID(&guid));
    EXPECT_TRUE(IsEqualGUID(IID_IDispatch, guid));
    EXPECT_EQ(E_INVALIDARG, info->GetSource(nullptr));
    EXPECT_EQ(E_INVALIDARG, info->GetGUID(nullptr));

    EXPECT_EQ(S_OK, create->SetSource(const_cast<LPOLESTR>(OLESTR("Kinfold.GEDCOMdb"))));
    EXPECT_EQ(S_OK, create->SetDescription(const_cast<LPOLESTR>(OLESTR("Record not part of this GEDCOM database"))));
    EXPECT_EQ(S_OK, create->SetGUID(IID_IDispatch));
    EXPECT_EQ(S_OK, create->SetHelpContext(5));
    ASSERT_EQ(S_OK, info->GetDescription(&text));
    EXPECT_TRUE(Text(text) == OLESTR("Record not part of this GEDCOM database"));
    SysFreeString(text);
    ASSERT_EQ(S_OK, info->GetSource(&text));
    EXPECT_TRUE(Text(text) == OLESTR("Kinfold.GEDCOMdb"));
    SysFreeString(text);
    EXPECT_EQ(S_OK, info->GetGUID(&guid));
    EXPECT_TRUE(IsEqualGUID(IID_IDispatch, guid));
    EXPECT_EQ(S_OK, info->GetHelpContext(&context));
    EXPECT_EQ(5u, context);
    EXPECT_EQ(S_OK, create->SetSource(nullptr));
    text = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(S_OK, info->GetSource(&text));
    EXPECT_EQ(nullptr, text);

    info->Release();
    create->Release();
}

TEST_F(ErrorInfoTest, SetHoldsAReferenceAndGetHandsItOver) {
    ICreateErrorInfo* create = nullptr;
    ASSERT_EQ(S_OK, CreateErrorInfo(&create));
    IErrorInfo* info = nullptr;
    ASSERT_EQ(S_OK, create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)));
    create->Release();
    EXPECT_EQ(1u, RefCount(info));

    EXPECT_EQ(E_INVALIDARG, SetErrorInfo(1, info));
    ASSERT_EQ(S_OK, SetErrorInfo(0, info));
    EXPECT_EQ(2u, RefCount(info));
    IErrorInfo* got = nullptr;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &got));
    EXPECT_EQ(info, got);
    EXPECT_EQ(2u, RefCount(info));  // the slot's reference now belongs to the caller
    got->Release();
    EXPECT_EQ(S_FALSE, GetErrorInfo(0, &got));
    EXPECT_EQ(nullptr, got);

    ASSERT_EQ(S_OK, SetErrorInfo(0, info));
    ASSERT_EQ(S_OK, SetErrorInfo(0, nullptr));  // clearing releases
    EXPECT_EQ(1u, RefCount(info));
    EXPECT_EQ(S_FALSE, GetErrorInfo(0, &got));
    info->Release();
}

TEST_F(ErrorInfoTest, ReplacingReleasesTheOldOne) {
    ICreateErrorInfo* first = nullptr;
    ICreateErrorInfo* second = nullptr;
    IErrorInfo* a = nullptr;
    IErrorInfo* b = nullptr;
    ASSERT_EQ(S_OK, CreateErrorInfo(&first));
    ASSERT_EQ(S_OK, CreateErrorInfo(&second));
    first->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&a));
    second->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&b));
    first->Release();
    second->Release();
    SetErrorInfo(0, a);
    SetErrorInfo(0, b);
    EXPECT_EQ(1u, RefCount(a));
    EXPECT_EQ(2u, RefCount(b));
    a->Release();
    IErrorInfo* got = nullptr;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &got));
    EXPECT_EQ(b, got);
    got->Release();
    b->Release();
}

TEST_F(ErrorInfoTest, EachThreadHasItsOwnSlot) {
    ICreateErrorInfo* create = nullptr;
    ASSERT_EQ(S_OK, CreateErrorInfo(&create));
    IErrorInfo* info = nullptr;
    create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
    create->Release();
    ASSERT_EQ(S_OK, SetErrorInfo(0, info));
    HRESULT other = E_FAIL;
    std::thread([&other] {
        IErrorInfo* none = nullptr;
        other = GetErrorInfo(0, &none);
    }).join();
    EXPECT_EQ(S_FALSE, other);
    IErrorInfo* got = nullptr;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &got));
    EXPECT_EQ(info, got);
    got->Release();
    info->Release();
}

}  // namespace
