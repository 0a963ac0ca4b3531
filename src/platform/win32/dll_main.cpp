// The loader tells the library its own module handle here; registration
// needs it for the server's path, and individuals hand their Ptr only to a
// caller that passes it.
#include "access/module_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        kinfold::SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
