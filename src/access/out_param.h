// The out-argument conventions every member follows, written once: a NULL
// out-pointer gives E_POINTER before anything else; an interface already in
// the out-argument is released and a string freed before the new value is
// stored; a returned object carries one reference for the caller.
#pragma once

#include <new>
#include <string>
#include <string_view>
#include <type_traits>

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

// Runs the work of a member that may run out of memory part way (a text read
// from the file, a list built for the call). No exception may reach the
// host, which cannot catch one through the interface: running out of memory
// answers E_OUTOFMEMORY instead.
template <class Work>
HRESULT CatchOutOfMemory(Work work) noexcept {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

// The text `produce()` makes, such as a value read from the file. It makes a
// string of its own: a view could outlive what it shows.
template <class Produce, class = std::enable_if_t<std::is_invocable_v<Produce>>>
HRESULT ReturnText(BSTR* out, Produce produce) {
    static_assert(std::is_same_v<std::invoke_result_t<Produce>, std::string>);
    return CatchOutOfMemory([&] { return ReturnText(out, std::string_view(produce())); });
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
