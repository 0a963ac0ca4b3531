// Natively there is no type library file: the dispatch tables are compiled
// in. Registration writes the keys a host would find for the library
// (identity, version, help string, the module holding it) so that the
// registry describes the same server on both builds.
#include "platform/type_library_registration.h"

#include <string>

#include "kinfold.h"
#include "platform/registry_text.h"

namespace kinfold {
namespace {

// The library's attributes, as the interface definition gives them.
constexpr const OLECHAR* kVersionKey = u"" KINFOLD_LIBRARY_VERSION;
constexpr const OLECHAR* kHelpString = u"" KINFOLD_LIBRARY_HELPSTRING;

OleString LibraryKey() { return u"TypeLib\\" + GuidText(LIBID_KinfoldLib); }

}  // namespace

HRESULT RegisterTypeLibrary(const OLECHAR* modulePath) {
    const OleString version = LibraryKey() + u"\\" + kVersionKey;
    OleString directory(modulePath);
    directory.erase(directory.find_last_of(u'/') + 1);
    const struct {
        OleString key;
        OleString value;
    } entries[] = {
        {version, kHelpString},
        {version + u"\\FLAGS", u"0"},
        {version + u"\\HELPDIR", directory},
        {version + u"\\0\\linux64", modulePath},
    };
    for (const auto& entry : entries) {
        const LSTATUS status = WriteRegistryText(entry.key, nullptr, entry.value.c_str());
        if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    }
    return S_OK;
}

HRESULT UnregisterTypeLibrary(const OLECHAR*) {
    const OleString library = LibraryKey();
    const LSTATUS status = DeleteRegistryTree(library + u"\\" + kVersionKey);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    // Other versions may share the library key; it goes only when empty.
    RegDeleteKeyW(HKEY_CLASSES_ROOT, library.c_str());
    return S_OK;
}

}  // namespace kinfold
