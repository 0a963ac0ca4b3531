// What IGDPointerAccess::Ptr hands out and takes. The type library declares
// both the instance handle and the result as a 32-bit long, which cannot hold
// a 64-bit address or module handle. So the result is a handle: a small
// number that stands for one individual in a per-module table for as long as
// the individual lives. The instance handle is compared in a 32-bit form:
// its low half XOR its high half, which is the handle itself whenever it fits
// in 32 bits and is never 0 for a module loaded in user space.
#pragma once

#include "platform/automation.h"

namespace kinfold {

class GDIndividualRecord;

// This module's instance handle in the form Ptr compares.
LONG InstanceHandleToken();

// A new handle for `individual`, never 0; 0 when memory runs out.
LONG AssignPointerHandle(GDIndividualRecord* individual);
// The individual a handle stands for, or nullptr for a handle that is unknown
// or was given back.
GDIndividualRecord* IndividualOfPointerHandle(LONG handle);
// Called when the individual goes; the handle may then be reused.
void ReleasePointerHandle(LONG handle);

}  // namespace kinfold
