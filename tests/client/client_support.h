// What the client tests share: they are an ordinary COM host of the
// registered kinfold.dll, so everything here uses the system's COM only.
#pragma once

#include <gtest/gtest.h>
#include <ole2.h>
#include <oleauto.h>
#include <olectl.h>
#include <windows.h>

#include <string>

#include "kinfold.h"
#include "support/com_ptr.h"

namespace kinfold::client {

using test::ComPtr;

// A BSTR owned by the test.
class Bstr {
   public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text) : b_(SysAllocString(text.c_str())) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(b_); }

    BSTR get() const { return b_; }
    BSTR* Out() {
        SysFreeString(b_);
        b_ = nullptr;
        return &b_;
    }
    std::wstring Text() const { return b_ == nullptr ? L"<null>" : std::wstring(b_); }

   private:
    BSTR b_ = nullptr;
};

// Each test runs in a single-threaded apartment of its own.
class ComTest : public ::testing::Test {
   protected:
    void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
    void TearDown() override { CoUninitialize(); }
};

// A path from the C runtime (the code page's bytes) as UTF-16.
std::wstring Wide(const std::string& text);

// For failure messages: UTF-16 text with anything outside ASCII as '?'.
std::string Narrow(const std::wstring& text);

// "{XXXXXXXX-...}" as the registry holds GUIDs.
std::wstring GuidText(REFGUID guid);

// The text value `name` (nullptr: the default value) of HKEY_CLASSES_ROOT\key,
// or the failure code of opening the key or reading the value.
LSTATUS ReadClassesText(const std::wstring& key, const wchar_t* name, std::wstring* text);

// A new database made the way a script's CreateObject makes it: ProgID to
// CLSID, then CoCreateInstance.
HRESULT CreateDatabaseByProgId(IGEDCOMdb** db);

// LoadGEDCOMFile; true when the file loaded.
bool LoadFile(IGEDCOMdb* db, const std::string& path);

// Item `index` (1-based) of a collection, for collections whose Item takes a
// VARIANT index.
template <class Collection, class Item>
HRESULT ItemOf(Collection* collection, LONG index, Item** item) {
    VARIANT position;
    VariantInit(&position);
    position.vt = VT_I4;
    position.lVal = index;
    return collection->get_Item(position, item);
}

// kinfold.dll as loaded into this process by COM (nullptr when it is not).
HMODULE LoadedKinfold();

// The 32-bit form in which Ptr compares the instance handle of a module:
// its low half XOR its high half.
LONG InstanceToken(HMODULE module);

}  // namespace kinfold::client
