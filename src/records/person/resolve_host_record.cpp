#include "records/person/resolve_host_record.h"

#include "access/pointer_handles.h"
#include "kinfold.h"
#include "records/person/individual_record.h"

namespace kinfold {

HRESULT ResolveHostRecord(IUnknown* object, const RecordHost* database,
                          IndividualEntry** individual) {
    if (individual == nullptr) return E_POINTER;
    *individual = nullptr;
    if (object == nullptr) return E_POINTER;
    IGDPointerAccess* access = nullptr;
    HRESULT hr = object->QueryInterface(IID_IGDPointerAccess, reinterpret_cast<void**>(&access));
    if (FAILED(hr)) return hr;
    LONG handle = 0;
    hr = access->get_Ptr(InstanceHandleToken(), &handle);
    access->Release();
    if (FAILED(hr)) return hr;
    GDIndividualRecord* facade = IndividualOfPointerHandle(handle);
    if (facade == nullptr) return E_HANDLE;
    IndividualEntry* found = &facade->TheEntry();
    if (found->Database() != database) return E_FAIL;
    *individual = found;
    return S_OK;
}

}  // namespace kinfold
