// Creating objects the ways a host can: by ProgID through the registry, and
// by CLSID, where only the database is registered while the DLL's own class
// objects serve every class.
#include <string>

#include "client/client_support.h"
#include "support/temp_file.h"

namespace kinfold::client {
namespace {

constexpr char kFamilyFile[] =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME John /Smith/\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Mary /Jones/\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Anne /Smith/\n1 FAMC @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
    "0 TRLR\n";

using CreationTest = ComTest;

TEST_F(CreationTest, BothProgIdsLeadToTheDatabaseClass) {
    for (const wchar_t* progId : {L"Kinfold.GEDCOMdb", L"Kinfold.GEDCOMdb.1"}) {
        CLSID clsid = GUID_NULL;
        EXPECT_EQ(CLSIDFromProgID(progId, &clsid), S_OK);
        EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_GEDCOMdb));
    }
    CLSID clsid = GUID_NULL;
    EXPECT_EQ(CLSIDFromProgID(L"Kinfold.GDIndividualRecord", &clsid), CO_E_CLASSSTRING);
}

TEST_F(CreationTest, DatabaseMadeByProgIdLoadsAFile) {
    kinfold::test::TempFile file(kFamilyFile);
    ComPtr<IGEDCOMdb> db;
    ASSERT_EQ(CreateDatabaseByProgId(db.Out()), S_OK);
    ASSERT_TRUE(LoadFile(db.get(), file.Path()));

    ComPtr<IGDIndividuals> individuals;
    ASSERT_EQ(db->get_Individuals(individuals.Out()), S_OK);
    LONG count = -1;
    EXPECT_EQ(individuals->get_Count(&count), S_OK);
    EXPECT_EQ(count, 3);
    ComPtr<IGDFamilies> families;
    ASSERT_EQ(db->get_Families(families.Out()), S_OK);
    EXPECT_EQ(families->get_Count(&count), S_OK);
    EXPECT_EQ(count, 1);

    ComPtr<IGDIndividualRecord> child;
    Bstr id(L"@I3@");
    ASSERT_EQ(db->GetIndividualFromID(id.get(), child.Out()), S_OK);
    ASSERT_TRUE(child);
    ComPtr<IGDIndividualRecord> father;
    ASSERT_EQ(child->get_Father(father.Out()), S_OK);
    ASSERT_TRUE(father);
    Bstr fatherId;
    EXPECT_EQ(father->get_ID(fatherId.Out()), S_OK);
    EXPECT_EQ(fatherId.Text(), L"@I1@");
}

TEST_F(CreationTest, NonCreatableClassesHaveClassObjectsButNoRegistration) {
    const std::wstring path = [] {
        std::wstring text;
        ReadClassesText(L"CLSID\\" + GuidText(CLSID_GEDCOMdb) + L"\\InprocServer32", nullptr,
                        &text);
        return text;
    }();
    HMODULE module = LoadLibraryW(path.c_str());
    ASSERT_NE(module, nullptr);
    using GetClassObjectEntry = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto getClassObject = reinterpret_cast<GetClassObjectEntry>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    ASSERT_NE(getClassObject, nullptr);

    const struct {
        const char* name;
        const CLSID* clsid;
    } classes[] = {
        {"GDIndividualRecord", &CLSID_GDIndividualRecord},
        {"GDFamilyRecord", &CLSID_GDFamilyRecord},
        {"GDNoteRecord", &CLSID_GDNoteRecord},
        {"GDIndividuals", &CLSID_GDIndividuals},
    };
    for (const auto& entry : classes) {
        SCOPED_TRACE(entry.name);
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(
            CoCreateInstance(*entry.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
            REGDB_E_CLASSNOTREG);
        EXPECT_EQ(object, nullptr);
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(CoGetClassObject(*entry.clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                   factory.OutVoid()),
                  REGDB_E_CLASSNOTREG);
        EXPECT_EQ(getClassObject(*entry.clsid, IID_IClassFactory, factory.OutVoid()), S_OK);
        EXPECT_TRUE(factory);
    }
    // A CLSID that is not the library's has no class object at all.
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(getClassObject(IID_IGEDCOMdb, IID_IClassFactory, factory.OutVoid()),
              CLASS_E_CLASSNOTAVAILABLE);
    // The registered class is reached through COM's lookup as well.
    EXPECT_EQ(CoGetClassObject(CLSID_GEDCOMdb, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               factory.OutVoid()),
              S_OK);
    factory.Reset();
    FreeLibrary(module);
}

}  // namespace
}  // namespace kinfold::client
