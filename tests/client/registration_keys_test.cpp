// What regsvr32 left in the registry, read back with the registry functions
// and checked against what COM itself resolves.
#include <string>

#include "client/client_support.h"

namespace kinfold::client {
namespace {

const std::wstring kClassKey = L"CLSID\\" + GuidText(CLSID_GEDCOMdb);
const std::wstring kServerKey = kClassKey + L"\\InprocServer32";

// GUIDs are compared without regard to case: both spellings are valid.
bool SameText(const std::wstring& a, const std::wstring& b, bool ignoreCase) {
    return ignoreCase ? _wcsicmp(a.c_str(), b.c_str()) == 0 : a == b;
}

// Whether two paths name the same file (same volume and file index).
bool SameFile(const std::wstring& a, const std::wstring& b) {
    BY_HANDLE_FILE_INFORMATION info[2] = {};
    const std::wstring* paths[] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        HANDLE file = CreateFileW(paths[i]->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        const BOOL ok = GetFileInformationByHandle(file, &info[i]);
        CloseHandle(file);
        if (!ok) return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
           info[0].nFileIndexLow == info[1].nFileIndexLow;
}

class RegistrationKeysTest : public ComTest {
   protected:
    static std::wstring ServerPath() {
        std::wstring path;
        EXPECT_EQ(ReadClassesText(kServerKey, nullptr, &path), ERROR_SUCCESS);
        return path;
    }
};

TEST_F(RegistrationKeysTest, ProgIdAndClassKeysHoldTheirValues) {
    const struct {
        std::wstring key;
        const wchar_t* name;
        std::wstring expected;
        bool isGuid;
    } entries[] = {
        {L"Kinfold.GEDCOMdb.1", nullptr, L"GEDCOMdb Class", false},
        {L"Kinfold.GEDCOMdb.1\\CLSID", nullptr, GuidText(CLSID_GEDCOMdb), true},
        {L"Kinfold.GEDCOMdb", nullptr, L"GEDCOMdb Class", false},
        {L"Kinfold.GEDCOMdb\\CLSID", nullptr, GuidText(CLSID_GEDCOMdb), true},
        {L"Kinfold.GEDCOMdb\\CurVer", nullptr, L"Kinfold.GEDCOMdb.1", false},
        {kClassKey, nullptr, L"GEDCOMdb Class", false},
        {kClassKey + L"\\ProgID", nullptr, L"Kinfold.GEDCOMdb.1", false},
        {kClassKey + L"\\VersionIndependentProgID", nullptr, L"Kinfold.GEDCOMdb", false},
        {kServerKey, L"ThreadingModel", L"Apartment", false},
        {kClassKey + L"\\TypeLib", nullptr, GuidText(LIBID_KinfoldLib), true},
        // Registering the type library registers its dual interfaces too.
        {L"Interface\\" + GuidText(IID_IGEDCOMdb) + L"\\TypeLib", nullptr,
         GuidText(LIBID_KinfoldLib), true},
    };
    for (const auto& entry : entries) {
        SCOPED_TRACE(Narrow(entry.key));
        std::wstring value;
        ASSERT_EQ(ReadClassesText(entry.key, entry.name, &value), ERROR_SUCCESS);
        EXPECT_TRUE(SameText(value, entry.expected, entry.isGuid)) << Narrow(value);
    }
    // Programmable carries no value; the key alone marks the class.
    HKEY programmable = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, (kClassKey + L"\\Programmable").c_str(), 0, KEY_READ,
                            &programmable),
              ERROR_SUCCESS);
    RegCloseKey(programmable);
}

TEST_F(RegistrationKeysTest, ServerPathIsTheFullPathOfTheLoadedDll) {
    const std::wstring path = ServerPath();
    ASSERT_GT(path.size(), 3u);
    // A drive-rooted path (Wine maps the build tree onto Z:).
    EXPECT_EQ(path.substr(1, 2), L":\\");
    const std::wstring tail = L"\\kinfold.dll";
    ASSERT_GE(path.size(), tail.size());
    EXPECT_TRUE(SameText(path.substr(path.size() - tail.size()), tail, true));
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);

    // COM loads the server from exactly that path.
    ComPtr<IGEDCOMdb> db;
    ASSERT_EQ(CreateDatabaseByProgId(db.Out()), S_OK);
    HMODULE module = LoadedKinfold();
    ASSERT_NE(module, nullptr);
    wchar_t loaded[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(module, loaded, MAX_PATH), 0u);
    EXPECT_TRUE(SameText(loaded, path, true));
}

TEST_F(RegistrationKeysTest, TypeLibraryIsRegisteredFromTheDll) {
    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadRegTypeLib(LIBID_KinfoldLib, 1, 0, LOCALE_NEUTRAL, library.Out()), S_OK);
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, LIBID_KinfoldLib));
    const WORD major = attributes->wMajorVerNum;
    const WORD minor = attributes->wMinorVerNum;
    const LCID lcid = attributes->lcid;
    library->ReleaseTLibAttr(attributes);

    // The library is the resource embedded in the registered DLL.
    Bstr path;
    ASSERT_EQ(QueryPathOfRegTypeLib(LIBID_KinfoldLib, major, minor, lcid, path.Out()), S_OK);
    // Compared as files: Wine records the path in its \\?\ form, with links
    // resolved.
    EXPECT_TRUE(SameFile(path.Text(), ServerPath())) << Narrow(path.Text());

    // And it describes the class the registry names.
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(library->GetTypeInfoOfGuid(CLSID_GEDCOMdb, info.Out()), S_OK);
}

}  // namespace
}  // namespace kinfold::client
