#include "access/module_state.h"

#include <atomic>

namespace kinfold {
namespace {

std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};
// Natively there is no module handle; the address of this variable serves as
// a value that no other component can know by accident.
char moduleTag;
HINSTANCE moduleInstance = reinterpret_cast<HINSTANCE>(&moduleTag);

}  // namespace

void ObjectCreated() { ++liveObjects; }
void ObjectDestroyed() { --liveObjects; }
long LiveObjectCount() { return liveObjects.load(); }

void LockServer(bool lock) {
    if (lock)
        ++serverLocks;
    else
        --serverLocks;
}
long ServerLockCount() { return serverLocks.load(); }

HINSTANCE ModuleInstance() { return moduleInstance; }
void SetModuleInstance(HINSTANCE instance) { moduleInstance = instance; }

}  // namespace kinfold
