#include "platform/free_threaded_marshaler.h"

namespace kinfold {

HRESULT CreateFreeThreadedMarshaler(IUnknown*, IUnknown** marshaler) {
    *marshaler = nullptr;
    return S_OK;
}

}  // namespace kinfold
