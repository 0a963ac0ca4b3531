#include "platform/type_library_registration.h"

#include <cwchar>

namespace kinfold {
namespace {

// Whether the registry holds that version of the library. Asked first,
// because unregistering a library that is not there fails with a code that
// differs between Windows and Wine.
bool IsRegistered(const TLIBATTR& attributes) {
    wchar_t key[80] = L"TypeLib\\";
    StringFromGUID2(attributes.guid, key + 8, 39);
    std::swprintf(key + std::wcslen(key), 16, L"\\%x.%x", attributes.wMajorVerNum,
                  attributes.wMinorVerNum);
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

}  // namespace

HRESULT RegisterTypeLibrary(const OLECHAR* modulePath) {
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(modulePath, REGKIND_REGISTER, &library);
    if (SUCCEEDED(hr)) library->Release();
    return hr;
}

// The identity and version to unregister are read from the embedded library
// itself, so they always match what registration wrote.
HRESULT UnregisterTypeLibrary(const OLECHAR* modulePath) {
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(modulePath, REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    TLIBATTR* attributes = nullptr;
    hr = library->GetLibAttr(&attributes);
    if (SUCCEEDED(hr)) {
        if (IsRegistered(*attributes))
            hr = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum,
                                   attributes->wMinorVerNum, attributes->lcid,
                                   attributes->syskind);
        library->ReleaseTLibAttr(attributes);
    }
    library->Release();
    return hr;
}

}  // namespace kinfold
