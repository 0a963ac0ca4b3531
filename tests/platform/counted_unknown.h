// A stack object that answers IUnknown and counts its references, so that a
// test can see who added and who released one.
#pragma once

#include "platform/automation.h"

namespace kinfold::test {

class CountedUnknown final : public IUnknown {
   public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!IsEqualIID(riid, IID_IUnknown)) return *ppv = nullptr, E_NOINTERFACE;
        *ppv = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }

    ULONG refs = 1;
};

}  // namespace kinfold::test
