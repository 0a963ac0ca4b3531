// The registry calls registration relies on, under a scratch key of
// HKEY_CLASSES_ROOT: natively our in-process tree, under Wine the real thing,
// so the two must agree on every case here.
#include <gtest/gtest.h>

#include "platform/registry_text.h"

namespace kinfold::test {
namespace {

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
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, (kScratch + OLESTR("\\A\\B")).c_str(), 0,
                              nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &handle,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
    RegCloseKey(handle);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, (kScratch + OLESTR("\\a\\b")).c_str(), 0,
                              nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &handle,
                              &disposition),
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
    EXPECT_EQ(RegQueryValueExW(handle, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(small),
                               &size),
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
