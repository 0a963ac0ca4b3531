// Recognising an individual that a host hands back in (to the assistant) as
// one of this library's own, belonging to a given database.
#pragma once

#include "platform/automation.h"

namespace kinfold {

class IndividualEntry;
class RecordHost;

// The internal individual behind `object`. Fails with the code of the step
// that failed: E_POINTER for no object, E_NOINTERFACE for an object that is
// not one of our individuals (a foreign IGDIndividualRecord included), the
// code of Ptr, E_HANDLE for a handle that stands for nothing, and E_FAIL for
// an individual of another database. Callers report every failure as
// "Record not part of this GEDCOM database".
HRESULT ResolveHostRecord(IUnknown* object, const RecordHost* database,
                          IndividualEntry** individual);

}  // namespace kinfold
