// An outer object that only counts its references: enough to hold an inner
// one and to see what the inner object's interfaces count on it.
#pragma once

#include "kinfold.h"

namespace kinfold::test {

struct CountingOuter : IUnknown {
    ULONG refs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

}  // namespace kinfold::test
