// Messages reported to the host: the error information left on this thread
// and the code a script engine turns into a run-time error; and which
// interfaces each kind of object says support error information.
#include "access/error_report.h"

#include <gtest/gtest.h>

#include "server/entry_points.h"
#include "server/registration.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

class ErrorReportTest : public ::testing::Test {
   protected:
    void TearDown() override {
        // Nothing may stay behind for the next test on this thread.
        IErrorInfo* left = nullptr;
        GetErrorInfo(0, &left);
        if (left != nullptr) left->Release();
    }

    LiveObjectGuard guard_;
};

std::string TextOf(HRESULT (STDMETHODCALLTYPE IErrorInfo::*getter)(BSTR*), IErrorInfo* info) {
    Bstr text;
    EXPECT_EQ((info->*getter)(text.Out()), S_OK);
    return text.get() == nullptr ? "<null>" : text.Text();
}

TEST_F(ErrorReportTest, ReportedMessageIsTheThreadsErrorInformation) {
    const struct {
        const char* message;
        const OLECHAR* source;
        const char* expectedSource;
    } cases[] = {
        {"Record not part of this GEDCOM database", nullptr, ""},
        {"Error: GEDCOM file is corrupt.  Invalid Reference", nullptr, ""},
        {"from the database", kDatabaseProgId, "Kinfold.GEDCOMdb.1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(ReportError(c.message, c.source), DISP_E_EXCEPTION);
        ComPtr<IErrorInfo> info;
        ASSERT_EQ(GetErrorInfo(0, info.Out()), S_OK);
        ASSERT_TRUE(info);
        EXPECT_EQ(TextOf(&IErrorInfo::GetDescription, info.get()), c.message);
        const std::string source = TextOf(&IErrorInfo::GetSource, info.get());
        // An unset source reads back as NULL natively and as "" on Windows.
        EXPECT_EQ(source == "<null>" ? std::string() : source, c.expectedSource);
        GUID guid = CLSID_GEDCOMdb;
        EXPECT_EQ(info->GetGUID(&guid), S_OK);
        EXPECT_TRUE(IsEqualGUID(guid, GUID_NULL));
        // Taking it empties the slot.
        ComPtr<IErrorInfo> again;
        EXPECT_EQ(GetErrorInfo(0, again.Out()), S_FALSE);
    }
}

// A later report replaces the earlier one; a failure keeps its own code.
TEST_F(ErrorReportTest, LaterReportReplacesTheEarlierOne) {
    ReportError("first");
    ReportError("second");
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.Out()), S_OK);
    EXPECT_EQ(TextOf(&IErrorInfo::GetDescription, info.get()), "second");
    EXPECT_EQ(ReportFailure(E_INVALIDARG, "no such method"), E_INVALIDARG);
    ASSERT_EQ(GetErrorInfo(0, info.Out()), S_OK);
    EXPECT_EQ(TextOf(&IErrorInfo::GetDescription, info.get()), "no such method");
}

// Which interface each object supports error information for.
HRESULT SupportsErrorInfo(IUnknown* object, REFIID riid) {
    ComPtr<ISupportErrorInfo> support;
    HRESULT hr =
        object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(support.Out()));
    return FAILED(hr) ? hr : support->InterfaceSupportsErrorInfo(riid);
}

ComPtr<IUnknown> NewInstance(REFCLSID clsid) {
    ComPtr<IClassFactory> factory;
    IUnknown* object = nullptr;
    if (SUCCEEDED(
            DllGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Out()))))
        factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object));
    return ComPtr<IUnknown>(object);
}

TEST_F(ErrorReportTest, ObjectsSupportErrorInfoForTheirOwnInterfaceOnly) {
    const struct {
        const CLSID* clsid;
        const IID* iid;
        HRESULT expected;
    } cases[] = {
        {&CLSID_GEDCOMdb, &IID_IGEDCOMdb, S_OK},
        {&CLSID_GEDCOMdb, &IID_IDispatch, S_FALSE},
        {&CLSID_GEDCOMdb, &IID_IGDIndividualRecord, S_FALSE},
        {&CLSID_GDIndividualRecord, &IID_IGDIndividualRecord, S_OK},
        {&CLSID_GDIndividualRecord, &IID_IGDFamilyRecord, S_FALSE},
        {&CLSID_GDIndividualRecord, &IID_IGDPointerAccess, S_FALSE},
        {&CLSID_GDFamilyRecord, &IID_IGDFamilyRecord, S_OK},
        {&CLSID_GDFamilyRecord, &IID_IGDIndividualRecord, S_FALSE},
        {&CLSID_GDAssistant, &IID_IGDAssistant2, S_OK},
        {&CLSID_GDAssistant, &IID_IGDAssistant, S_OK},
        {&CLSID_GDAssistant, &IID_IGEDCOMdb, S_FALSE},
        // Collections do not implement it at all.
        {&CLSID_GDIndividuals, &IID_IGDIndividuals, E_NOINTERFACE},
    };
    for (const auto& c : cases) {
        ComPtr<IUnknown> object = NewInstance(*c.clsid);
        ASSERT_TRUE(object);
        EXPECT_EQ(SupportsErrorInfo(object.get(), *c.iid), c.expected);
    }
}

}  // namespace
}  // namespace kinfold::test
