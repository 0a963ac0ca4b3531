#include "platform/registry_text.h"

namespace kinfold {

LSTATUS WriteRegistryText(const OleString& key, const OLECHAR* name, const OLECHAR* value) {
    HKEY handle = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr,
                                     REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &handle,
                                     nullptr);
    if (status != ERROR_SUCCESS) return status;
    if (value != nullptr) {
        const OleString text(value);
        const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(OLECHAR));
        status = RegSetValueExW(handle, name, 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()), bytes);
    }
    RegCloseKey(handle);
    return status;
}

bool ReadRegistryText(const OleString& key, const OLECHAR* name, OleString* value) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    DWORD type = REG_NONE;
    DWORD size = 0;
    bool found = RegQueryValueExW(handle, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
                 type == REG_SZ;
    if (found) {
        OleString text(size / sizeof(OLECHAR) + 1, OLECHAR(0));
        size = static_cast<DWORD>(text.size() * sizeof(OLECHAR));
        found = RegQueryValueExW(handle, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&text[0]),
                                 &size) == ERROR_SUCCESS;
        // The stored size counts the terminating zero when the writer did;
        // the extra unit guarantees one either way.
        text.resize(text.find(OLECHAR(0)));
        *value = text;
    }
    RegCloseKey(handle);
    return found;
}

OleString GuidText(REFGUID guid) {
    OLECHAR text[39];
    return StringFromGUID2(guid, text, 39) != 0 ? OleString(text) : OleString();
}

LSTATUS DeleteRegistryTree(const OleString& key) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace kinfold
