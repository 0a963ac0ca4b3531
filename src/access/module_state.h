// Module-wide counters that decide whether the library may be unloaded:
// every automation object of the library counts itself alive, and hosts may
// lock the server through a class object.
#pragma once

#include "platform/automation.h"

namespace kinfold {

void ObjectCreated();
void ObjectDestroyed();
long LiveObjectCount();

void LockServer(bool lock);
long ServerLockCount();

// The handle of the loaded library (Windows) or a process-unique address
// (natively); individuals hand out their address only to callers that prove
// they are this library by passing it.
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

}  // namespace kinfold
