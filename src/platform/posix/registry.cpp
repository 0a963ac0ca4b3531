// The process-local registry tree. A handle remembers the path of its key
// rather than the node, so deleting a tree never leaves a handle dangling: a
// handle to a deleted key simply finds nothing, as on Windows.
#include "registry.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <vector>

using KeyName = std::u16string;

struct RegistryKeyHandle {
    std::vector<KeyName> path;
};

namespace {

// Key and value names compare without regard to ASCII case.
struct NoCase {
    static char16_t Fold(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }
    bool operator()(const KeyName& a, const KeyName& b) const {
        const size_t n = a.size() < b.size() ? a.size() : b.size();
        for (size_t i = 0; i < n; ++i)
            if (Fold(a[i]) != Fold(b[i])) return Fold(a[i]) < Fold(b[i]);
        return a.size() < b.size();
    }
};

struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct Node {
    std::map<KeyName, std::unique_ptr<Node>, NoCase> keys;
    std::map<KeyName, Value, NoCase> values;
};

std::mutex registryMutex;
Node classesRoot;

// The full path of `subKey` below `key`, or false for a handle that is none.
bool FullPath(HKEY key, LPCWSTR subKey, std::vector<KeyName>* path) {
    if (key == HKEY_CLASSES_ROOT)
        path->clear();
    else if (key != nullptr)
        *path = key->path;
    else
        return false;
    KeyName part;
    for (const char16_t* c = subKey; c != nullptr && *c != 0; ++c) {
        if (*c != u'\\') {
            part += *c;
        } else if (!part.empty()) {
            path->push_back(part);
            part.clear();
        }
    }
    if (!part.empty()) path->push_back(part);
    return true;
}

Node* Find(const std::vector<KeyName>& path) {
    Node* node = &classesRoot;
    for (const KeyName& part : path) {
        auto it = node->keys.find(part);
        if (it == node->keys.end()) return nullptr;
        node = it->second.get();
    }
    return node;
}

LSTATUS NewHandle(std::vector<KeyName> path, PHKEY result) {
    *result = new (std::nothrow) RegistryKeyHandle{std::move(path)};
    return *result != nullptr ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

KeyName NameOf(LPCWSTR name) { return name != nullptr ? KeyName(name) : KeyName(); }

}  // namespace

LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM,
                        LPSECURITY_ATTRIBUTES, PHKEY phkResult, DWORD* lpdwDisposition) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    std::vector<KeyName> path;
    if (!FullPath(hKey, lpSubKey, &path)) return ERROR_INVALID_HANDLE;
    std::lock_guard<std::mutex> lock(registryMutex);
    bool created = false;
    Node* node = &classesRoot;
    for (const KeyName& part : path) {
        std::unique_ptr<Node>& child = node->keys[part];
        if (child == nullptr) {
            child = std::make_unique<Node>();
            created = true;
        }
        node = child.get();
    }
    if (lpdwDisposition != nullptr)
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return NewHandle(std::move(path), phkResult);
}

LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    std::vector<KeyName> path;
    if (!FullPath(hKey, lpSubKey, &path)) return ERROR_INVALID_HANDLE;
    std::lock_guard<std::mutex> lock(registryMutex);
    if (Find(path) == nullptr) return ERROR_FILE_NOT_FOUND;
    return NewHandle(std::move(path), phkResult);
}

LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                       DWORD cbData) {
    std::vector<KeyName> path;
    if (!FullPath(hKey, nullptr, &path)) return ERROR_INVALID_HANDLE;
    std::lock_guard<std::mutex> lock(registryMutex);
    Node* node = Find(path);
    if (node == nullptr) return ERROR_FILE_NOT_FOUND;
    Value& value = node->values[NameOf(lpValueName)];
    value.type = dwType;
    value.data.assign(lpData, lpData + (lpData != nullptr ? cbData : 0));
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD*, DWORD* lpType, BYTE* lpData,
                         DWORD* lpcbData) {
    if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
    std::vector<KeyName> path;
    if (!FullPath(hKey, nullptr, &path)) return ERROR_INVALID_HANDLE;
    std::lock_guard<std::mutex> lock(registryMutex);
    Node* node = Find(path);
    if (node == nullptr) return ERROR_FILE_NOT_FOUND;
    auto it = node->values.find(NameOf(lpValueName));
    if (it == node->values.end()) return ERROR_FILE_NOT_FOUND;
    const Value& value = it->second;
    if (lpType != nullptr) *lpType = value.type;
    if (lpcbData == nullptr) return ERROR_SUCCESS;
    const DWORD size = static_cast<DWORD>(value.data.size());
    const DWORD room = *lpcbData;
    *lpcbData = size;
    if (lpData == nullptr) return ERROR_SUCCESS;
    if (room < size) return ERROR_MORE_DATA;
    if (size != 0) std::memcpy(lpData, value.data.data(), size);
    return ERROR_SUCCESS;
}

LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
    std::vector<KeyName> path;
    if (!FullPath(hKey, lpSubKey, &path)) return ERROR_INVALID_HANDLE;
    if (path.empty()) return ERROR_ACCESS_DENIED;
    std::lock_guard<std::mutex> lock(registryMutex);
    const KeyName leaf = path.back();
    path.pop_back();
    Node* parent = Find(path);
    if (parent == nullptr) return ERROR_FILE_NOT_FOUND;
    auto it = parent->keys.find(leaf);
    if (it == parent->keys.end()) return ERROR_FILE_NOT_FOUND;
    if (!it->second->keys.empty()) return ERROR_ACCESS_DENIED;
    parent->keys.erase(it);
    return ERROR_SUCCESS;
}

// Without a subkey, Windows empties the key but keeps it; so does this.
LSTATUS RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey) {
    std::vector<KeyName> path;
    if (!FullPath(hKey, lpSubKey, &path)) return ERROR_INVALID_HANDLE;
    std::lock_guard<std::mutex> lock(registryMutex);
    const bool keepKey = lpSubKey == nullptr || *lpSubKey == 0;
    if (keepKey || path.empty()) {
        Node* node = Find(path);
        if (node == nullptr) return ERROR_FILE_NOT_FOUND;
        node->keys.clear();
        node->values.clear();
        return ERROR_SUCCESS;
    }
    const KeyName leaf = path.back();
    path.pop_back();
    Node* parent = Find(path);
    if (parent == nullptr || parent->keys.erase(leaf) == 0) return ERROR_FILE_NOT_FOUND;
    return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY hKey) {
    if (hKey == nullptr) return ERROR_INVALID_HANDLE;
    if (hKey != HKEY_CLASSES_ROOT) delete hKey;
    return ERROR_SUCCESS;
}
