// The four entry points of the in-process server.
#include "server/entry_points.h"

#include "server/class_object.h"
#include "access/module_state.h"
#include "server/registration.h"

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    return kinfold::GetClassObject(rclsid, riid, ppv);
}

STDAPI DllCanUnloadNow() {
    return kinfold::LiveObjectCount() == 0 && kinfold::ServerLockCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() { return kinfold::RegisterServer(); }

STDAPI DllUnregisterServer() { return kinfold::UnregisterServer(); }
