// The out-argument conventions every member follows, written once: a NULL
// out-pointer gives E_POINTER before anything else; an interface already in
// the out-argument is released and a string freed before the new value is
// stored; a returned object carries one reference for the caller.
#pragma once

#include <string_view>

#include "platform/automation.h"
#include "platform/text.h"

namespace kinfold {

template <class T>
HRESULT BeginOut(T** out) {
    if (out == nullptr) return E_POINTER;
    if (*out != nullptr) {
        (*out)->Release();
        *out = nullptr;
    }
    return S_OK;
}

inline HRESULT BeginOut(BSTR* out) {
    if (out == nullptr) return E_POINTER;
    SysFreeString(*out);
    *out = nullptr;
    return S_OK;
}

inline HRESULT ReturnText(BSTR* out, std::string_view text) {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    *out = AllocBstr(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

inline HRESULT ReturnBool(VARIANT_BOOL* out, bool value) {
    if (out == nullptr) return E_POINTER;
    *out = value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

template <class T>
HRESULT ReturnValue(T* out, T value) {
    if (out == nullptr) return E_POINTER;
    *out = value;
    return S_OK;
}

// Hands out `Iface` of `object` with one new reference; no object gives NULL and S_OK.
template <class Iface, class Source>
HRESULT ReturnObject(Iface** out, Source* object) {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr) || object == nullptr) return hr;
    return object->QueryInterface(__uuidof(Iface), reinterpret_cast<void**>(out));
}

// Hands out a record built for this call, dropping the builder's own
// reference, so that the host's is the only one left.
template <class Iface, class Source>
HRESULT ReturnBuilt(Iface** out, Source* built) {
    HRESULT hr = ReturnObject(out, built);
    if (built != nullptr) built->Release();
    return hr;
}

}  // namespace kinfold
