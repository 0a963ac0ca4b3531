// Self-registration through the two exported entry points: the entries read
// back from the registry, the type library, and unregistration that leaves
// the CLSID key alone. Natively the registry is the process's own; under Wine
// it is the prefix's, so every test leaves the class unregistered.
// The registry calls registration relies on are tested here too, under a
// scratch key of HKEY_CLASSES_ROOT: natively our in-process tree, under Wine
// the real thing, so the two must agree on every case here.
#include <gtest/gtest.h>

#include "access/module_state.h"
#include "kinfold.h"
#include "platform/registry_text.h"
#include "platform/text.h"
#include "server/entry_points.h"

namespace kinfold::test {
namespace {

// The text value, or "<missing>" when key or value is not there.
OleString Read(const OleString& key, const OLECHAR* name = nullptr) {
    OleString value;
    return ReadRegistryText(key, name, &value) ? value : OleString(OLESTR("<missing>"));
}

bool KeyExists(const OleString& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

const OleString kClassKey = OLESTR("CLSID\\") + GuidText(CLSID_GEDCOMdb);
const OleString kLibraryKey = OLESTR("TypeLib\\") + GuidText(LIBID_KinfoldLib);

class RegistrationTest : public ::testing::Test {
   protected:
    void SetUp() override { ASSERT_EQ(DllUnregisterServer(), S_OK); }
    void TearDown() override { EXPECT_EQ(DllUnregisterServer(), S_OK); }
};

TEST_F(RegistrationTest, WritesTheEntriesOfTheCreatableClass) {
    ASSERT_EQ(DllRegisterServer(), S_OK);
    const OleString clsid = GuidText(CLSID_GEDCOMdb);
    const struct {
        OleString key;
        const OLECHAR* name;
        OleString expected;
    } entries[] = {
        {OLESTR("Kinfold.GEDCOMdb.1"), nullptr, OLESTR("GEDCOMdb Class")},
        {OLESTR("Kinfold.GEDCOMdb.1\\CLSID"), nullptr, clsid},
        {OLESTR("Kinfold.GEDCOMdb"), nullptr, OLESTR("GEDCOMdb Class")},
        {OLESTR("Kinfold.GEDCOMdb\\CLSID"), nullptr, clsid},
        {OLESTR("Kinfold.GEDCOMdb\\CurVer"), nullptr, OLESTR("Kinfold.GEDCOMdb.1")},
        {kClassKey, nullptr, OLESTR("GEDCOMdb Class")},
        {kClassKey + OLESTR("\\ProgID"), nullptr, OLESTR("Kinfold.GEDCOMdb.1")},
        {kClassKey + OLESTR("\\VersionIndependentProgID"), nullptr, OLESTR("Kinfold.GEDCOMdb")},
        {kClassKey + OLESTR("\\InprocServer32"), nullptr, ModuleFileName(ModuleInstance())},
        {kClassKey + OLESTR("\\InprocServer32"), OLESTR("ThreadingModel"), OLESTR("Apartment")},
        {kClassKey + OLESTR("\\TypeLib"), nullptr, GuidText(LIBID_KinfoldLib)},
    };
    for (const auto& entry : entries) {
        EXPECT_TRUE(Read(entry.key, entry.name) == entry.expected)
            << "wrong or missing value under " << BstrToText(entry.key.c_str());
    }
    EXPECT_TRUE(KeyExists(kClassKey + OLESTR("\\Programmable")));
    EXPECT_FALSE(ModuleFileName(ModuleInstance()).empty());
}

// Registering twice and unregistering twice both succeed; unregistration
// takes the type library's version and the class's entries, but not the CLSID key.
TEST_F(RegistrationTest, UnregistrationRemovesEverythingButTheClsidKey) {
    EXPECT_EQ(DllRegisterServer(), S_OK);
    EXPECT_EQ(DllRegisterServer(), S_OK);
    EXPECT_TRUE(Read(kLibraryKey + OLESTR("\\1.5")) == OLESTR("Kinfold 2.0 Type Library"));
    EXPECT_EQ(DllUnregisterServer(), S_OK);
    for (const OleString& key :
         {OleString(OLESTR("Kinfold.GEDCOMdb.1")), OleString(OLESTR("Kinfold.GEDCOMdb")), kClassKey,
          kLibraryKey + OLESTR("\\1.5")})
        EXPECT_FALSE(KeyExists(key)) << BstrToText(key.c_str());
    EXPECT_TRUE(KeyExists(OLESTR("CLSID")));
    EXPECT_EQ(DllUnregisterServer(), S_OK);
}

const OleString kScratch = OLESTR("Kinfold.RegistryTest");

class RegistryTest : public ::testing::Test {
   protected:
    void SetUp() override { ASSERT_EQ(DeleteRegistryTree(kScratch), ERROR_SUCCESS); }
    void TearDown() override { EXPECT_EQ(DeleteRegistryTree(kScratch), ERROR_SUCCESS); }

    static LSTATUS Open(const OleString& key, HKEY* handle) {
        return RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, handle);
    }
};

TEST_F(RegistryTest, CreatingMakesEveryKeyOnThePathAndSaysWhetherItWasNew) {
    HKEY handle = nullptr;
    EXPECT_EQ(Open(kScratch + OLESTR("\\A"), &handle), ERROR_FILE_NOT_FOUND);
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, (kScratch + OLESTR("\\A\\B")).c_str(), 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &handle, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
    RegCloseKey(handle);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, (kScratch + OLESTR("\\a\\b")).c_str(), 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &handle, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY)) << "key names ignore case";
    RegCloseKey(handle);
    ASSERT_EQ(Open(kScratch + OLESTR("\\A"), &handle), ERROR_SUCCESS);
    RegCloseKey(handle);
}

TEST_F(RegistryTest, TextValuesReadBackWithTheirSize) {
    ASSERT_EQ(WriteRegistryText(kScratch, nullptr, OLESTR("default")), ERROR_SUCCESS);
    ASSERT_EQ(WriteRegistryText(kScratch, OLESTR("Named"), OLESTR("")), ERROR_SUCCESS);
    OleString text;
    EXPECT_TRUE(ReadRegistryText(kScratch, nullptr, &text));
    EXPECT_TRUE(text == OLESTR("default"));
    EXPECT_TRUE(ReadRegistryText(kScratch, OLESTR("named"), &text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(ReadRegistryText(kScratch, OLESTR("Other"), &text));

    HKEY handle = nullptr;
    ASSERT_EQ(Open(kScratch, &handle), ERROR_SUCCESS);
    DWORD type = REG_NONE;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(handle, nullptr, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(size, DWORD(8 * sizeof(OLECHAR)));  // "default" and its terminating zero
    OLECHAR small[2];
    size = sizeof(small);
    EXPECT_EQ(
        RegQueryValueExW(handle, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, DWORD(8 * sizeof(OLECHAR)));
    RegCloseKey(handle);
}

TEST_F(RegistryTest, AKeyWithSubkeysGoesOnlyAsATree) {
    ASSERT_EQ(WriteRegistryText(kScratch + OLESTR("\\Sub"), nullptr, OLESTR("x")), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, kScratch.c_str()), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, (kScratch + OLESTR("\\Sub")).c_str()),
              ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, (kScratch + OLESTR("\\Sub")).c_str()),
              ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(WriteRegistryText(kScratch + OLESTR("\\Sub\\Deeper"), nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, kScratch.c_str()), ERROR_SUCCESS);
    HKEY handle = nullptr;
    EXPECT_EQ(Open(kScratch, &handle), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, kScratch.c_str()), ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace kinfold::test
