// The class objects that DllGetClassObject hands out: one per coclass of the
// type library, each creating a new instance at every CreateInstance.
#pragma once

#include "access/instance_creator.h"

namespace kinfold {

// The creator for `clsid`, or nullptr when the library has no such class.
InstanceCreator FindInstanceCreator(REFCLSID clsid);

// The class object for `clsid`, queried for `riid`.
HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv);

}  // namespace kinfold
