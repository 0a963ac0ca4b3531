// A host creating the database the way a script's CreateObject does: the
// ProgID leads to the CLSID, and the CLSID to the registered server. Only the
// database is registered; every other class has a class object but no entry.
#include <gtest/gtest.h>

#include "server/entry_points.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

class ProgIdCreationTest : public ::testing::Test {
   protected:
    void SetUp() override {
        // Windows needs the runtime for CoCreateInstance; natively it is a no-op.
#ifdef _WIN32
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
#endif
        ASSERT_EQ(DllUnregisterServer(), S_OK);
    }
    void TearDown() override {
        EXPECT_EQ(DllUnregisterServer(), S_OK);
#ifdef _WIN32
        CoUninitialize();
#endif
    }

    LiveObjectGuard guard_;
};

TEST_F(ProgIdCreationTest, ProgIdsResolveOnlyWhileRegistered) {
    const OLECHAR* const progIds[] = {OLESTR("Kinfold.GEDCOMdb"), OLESTR("Kinfold.GEDCOMdb.1")};
    for (const OLECHAR* progId : progIds) {
        CLSID clsid = CLSID_GDFamilyRecord;
        EXPECT_EQ(CLSIDFromProgID(progId, &clsid), CO_E_CLASSSTRING);
    }
    ASSERT_EQ(DllRegisterServer(), S_OK);
    for (const OLECHAR* progId : progIds) {
        CLSID clsid = GUID_NULL;
        EXPECT_EQ(CLSIDFromProgID(progId, &clsid), S_OK);
        EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_GEDCOMdb));
    }
    ASSERT_EQ(DllUnregisterServer(), S_OK);
    CLSID clsid = CLSID_GEDCOMdb;
    EXPECT_EQ(CLSIDFromProgID(OLESTR("Kinfold.GEDCOMdb"), &clsid), CO_E_CLASSSTRING);
}

TEST_F(ProgIdCreationTest, NonCreatableClassIsNotRegisteredButHasAClassObject) {
    ASSERT_EQ(DllRegisterServer(), S_OK);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_GDIndividualRecord, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IDispatch, &object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(DllGetClassObject(CLSID_GDIndividualRecord, IID_IClassFactory,
                                reinterpret_cast<void**>(factory.Out())),
              S_OK);
}

// Under Wine the registered server is the test program itself, which cannot
// be loaded as a library; there the scripts in tests/scripts create the
// database by ProgID from kinfold.dll.
#ifndef _WIN32
TEST_F(ProgIdCreationTest, DatabaseIsCreatedByProgIdOnlyWhileRegistered) {
    CLSID clsid = GUID_NULL;
    ComPtr<IGEDCOMdb> db;
    EXPECT_EQ(CoCreateInstance(CLSID_GEDCOMdb, nullptr, CLSCTX_INPROC_SERVER, IID_IGEDCOMdb,
                               reinterpret_cast<void**>(db.Out())),
              REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(db);

    ASSERT_EQ(DllRegisterServer(), S_OK);
    ASSERT_EQ(CLSIDFromProgID(OLESTR("Kinfold.GEDCOMdb"), &clsid), S_OK);
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IGEDCOMdb,
                               reinterpret_cast<void**>(db.Out())),
              S_OK);
    LONG flags = 0;
    EXPECT_EQ(db->get_ReturnBlankFlags(&flags), S_OK);
    EXPECT_EQ(flags, 1);
    db.Reset();

    ASSERT_EQ(DllUnregisterServer(), S_OK);
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IGEDCOMdb,
                               reinterpret_cast<void**>(db.Out())),
              REGDB_E_CLASSNOTREG);
}

TEST_F(ProgIdCreationTest, GuidTextRoundTrips) {
    OLECHAR text[39];
    ASSERT_EQ(StringFromGUID2(CLSID_GEDCOMdb, text, 39), 39);
    EXPECT_EQ(StringFromGUID2(CLSID_GEDCOMdb, text, 38), 0);
    CLSID back = GUID_NULL;
    EXPECT_EQ(CLSIDFromString(text, &back), S_OK);
    EXPECT_TRUE(IsEqualCLSID(back, CLSID_GEDCOMdb));
    const OLECHAR* const malformed[] = {u"", u"{CC9DC95B-20FD-491A-8F29-2D374A8E0121",
                                        u"CC9DC95B-20FD-491A-8F29-2D374A8E0121}",
                                        u"{CC9DC95B-20FD-491A-8F292D374A8E0121}",
                                        u"{CC9DC95B-20FD-491A-8F29-2D374A8E012G}"};
    for (const OLECHAR* bad : malformed) EXPECT_EQ(CLSIDFromString(bad, &back), CO_E_CLASSSTRING);
}
#endif

}  // namespace
}  // namespace kinfold::test
