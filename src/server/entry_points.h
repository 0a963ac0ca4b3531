// The four entry points of the in-process server, for native hosts; on
// Windows the system headers declare them.
#pragma once

#include "platform/automation.h"

#ifndef _WIN32
STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);
STDAPI DllCanUnloadNow();
STDAPI DllRegisterServer();
STDAPI DllUnregisterServer();
#endif
