// The platform's free-threaded marshaler, aggregated into an object so that
// its pointer passed to another apartment of the process is used directly.
#pragma once

#include "automation.h"

namespace kinfold {

// The marshaler's inner unknown for `outer`, with one reference. Natively
// there are no apartments to cross: `*marshaler` is nullptr and the result S_OK.
HRESULT CreateFreeThreadedMarshaler(IUnknown* outer, IUnknown** marshaler);

}  // namespace kinfold
