#include "server/registration.h"

#include "access/module_state.h"
#include "kinfold.h"
#include "platform/registry_text.h"
#include "platform/type_library_registration.h"

namespace kinfold {

const OLECHAR kDatabaseProgId[] = OLESTR("Kinfold.GEDCOMdb.1");
const OLECHAR kDatabaseVersionIndependentProgId[] = OLESTR("Kinfold.GEDCOMdb");

namespace {

const OLECHAR kClassName[] = OLESTR("GEDCOMdb Class");

OleString ClassKey() { return OLESTR("CLSID\\") + GuidText(CLSID_GEDCOMdb); }

}  // namespace

HRESULT RegisterServer() {
    const OleString path = ModuleFileName(ModuleInstance());
    if (path.empty()) return E_FAIL;
    const OleString clsid = GuidText(CLSID_GEDCOMdb);
    const OleString libid = GuidText(LIBID_KinfoldLib);
    const OleString progId = kDatabaseProgId;
    const OleString independent = kDatabaseVersionIndependentProgId;
    const OleString classKey = ClassKey();
    const OleString server = classKey + OLESTR("\\InprocServer32");
    // A null value creates the key only (Programmable carries no value).
    const struct {
        OleString key;
        const OLECHAR* name;
        const OLECHAR* value;
    } entries[] = {
        {progId, nullptr, kClassName},
        {progId + OLESTR("\\CLSID"), nullptr, clsid.c_str()},
        {independent, nullptr, kClassName},
        {independent + OLESTR("\\CLSID"), nullptr, clsid.c_str()},
        {independent + OLESTR("\\CurVer"), nullptr, kDatabaseProgId},
        {classKey, nullptr, kClassName},
        {classKey + OLESTR("\\ProgID"), nullptr, kDatabaseProgId},
        {classKey + OLESTR("\\VersionIndependentProgID"), nullptr,
         kDatabaseVersionIndependentProgId},
        {classKey + OLESTR("\\Programmable"), nullptr, nullptr},
        {server, nullptr, path.c_str()},
        {server, OLESTR("ThreadingModel"), OLESTR("Apartment")},
        {classKey + OLESTR("\\TypeLib"), nullptr, libid.c_str()},
    };
    for (const auto& entry : entries) {
        const LSTATUS status = WriteRegistryText(entry.key, entry.name, entry.value);
        if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    }
    return RegisterTypeLibrary(path.c_str());
}

HRESULT UnregisterServer() {
    HRESULT first = S_OK;
    for (const OleString& key : {OleString(kDatabaseProgId),
                                 OleString(kDatabaseVersionIndependentProgId), ClassKey()}) {
        const LSTATUS status = DeleteRegistryTree(key);
        if (status != ERROR_SUCCESS && SUCCEEDED(first)) first = HRESULT_FROM_WIN32(status);
    }
    const OleString path = ModuleFileName(ModuleInstance());
    const HRESULT hr = path.empty() ? E_FAIL : UnregisterTypeLibrary(path.c_str());
    return FAILED(first) ? first : hr;
}

}  // namespace kinfold
