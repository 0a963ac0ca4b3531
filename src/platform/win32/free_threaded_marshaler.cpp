#include "platform/free_threaded_marshaler.h"

namespace kinfold {

HRESULT CreateFreeThreadedMarshaler(IUnknown* outer, IUnknown** marshaler) {
    return CoCreateFreeThreadedMarshaler(outer, marshaler);
}

}  // namespace kinfold
