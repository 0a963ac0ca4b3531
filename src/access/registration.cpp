#include "access/registration.h"

namespace kinfold {

// Writing the registry entries and registering the type library come with
// the registration work of the automation boundary; until then neither entry
// point changes anything.
HRESULT RegisterServer() { return E_NOTIMPL; }
HRESULT UnregisterServer() { return E_NOTIMPL; }

}  // namespace kinfold
