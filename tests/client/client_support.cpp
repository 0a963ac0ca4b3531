#include "client/client_support.h"

#include <cstdint>

namespace kinfold::client {

std::wstring Wide(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

std::wstring GuidText(REFGUID guid) {
    wchar_t text[39] = {};
    StringFromGUID2(guid, text, 39);
    return text;
}

LSTATUS ReadClassesText(const std::wstring& key, const wchar_t* name, std::wstring* text) {
    text->clear();
    HKEY handle = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle);
    if (status != ERROR_SUCCESS) return status;
    DWORD type = 0;
    DWORD bytes = 0;
    status = RegQueryValueExW(handle, name, nullptr, &type, nullptr, &bytes);
    if (status == ERROR_SUCCESS && type != REG_SZ) status = ERROR_INVALID_DATA;
    if (status == ERROR_SUCCESS) {
        std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
        status = RegQueryValueExW(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(&value[0]),
                                  &bytes);
        // The stored text may or may not carry its terminator.
        if (status == ERROR_SUCCESS) *text = value.c_str();
    }
    RegCloseKey(handle);
    return status;
}

HRESULT CreateDatabaseByProgId(IGEDCOMdb** db) {
    *db = nullptr;
    CLSID clsid = GUID_NULL;
    HRESULT hr = CLSIDFromProgID(L"Kinfold.GEDCOMdb", &clsid);
    if (FAILED(hr)) return hr;
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IGEDCOMdb,
                            reinterpret_cast<void**>(db));
}

bool LoadFile(IGEDCOMdb* db, const std::string& path) {
    Bstr name(Wide(path));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    return SUCCEEDED(db->LoadGEDCOMFile(name.get(), &loaded)) && loaded == VARIANT_TRUE;
}

HMODULE LoadedKinfold() { return GetModuleHandleW(L"kinfold.dll"); }

LONG InstanceToken(HMODULE module) {
    const uint64_t value = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(module));
    return static_cast<LONG>(static_cast<uint32_t>(value ^ (value >> 32)));
}

}  // namespace kinfold::client
