// Creating an instance of one of the library's classes for a class object,
// alone or aggregated inside an outer object.
#pragma once

#include "access/com_object.h"

namespace kinfold {

using InstanceCreator = HRESULT (*)(IUnknown* outer, REFIID riid, void** ppv);

// Hands out `riid` of a new `Impl`. An aggregated instance is only handed to
// an outer object that asks for its inner IUnknown.
template <class Impl>
HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (outer != nullptr) {
        if (!IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
        ComAggObject<Impl>* object = nullptr;
        try {
            object = new (std::nothrow) ComAggObject<Impl>(outer);
        } catch (const std::bad_alloc&) {
        }
        if (object == nullptr) return E_OUTOFMEMORY;
        IUnknown* inner = object->Inner();
        inner->AddRef();
        HRESULT hr = object->Initialize();
        if (SUCCEEDED(hr)) hr = inner->QueryInterface(riid, ppv);
        inner->Release();
        return hr;
    }
    ComObject<Impl>* object = NewObject<Impl>();
    if (object == nullptr) return E_OUTOFMEMORY;
    object->AddRef();
    HRESULT hr = object->Initialize();
    if (SUCCEEDED(hr)) hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

}  // namespace kinfold
