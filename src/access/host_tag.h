// The `Tag` slot that most records offer their host: any VARIANT the host
// stores there (put and putref both store a copy). The library never reads it,
// and the holder exists only once something was written, since most records
// never carry one.
#pragma once

#include <memory>
#include <new>

#include "platform/automation.h"

namespace kinfold {

class HostTag {
   public:
    HostTag() = default;
    HostTag(const HostTag&) = delete;
    HostTag& operator=(const HostTag&) = delete;
    ~HostTag() {
        if (value_) VariantClear(value_.get());
    }

    // An empty VARIANT until the first write, else a copy of the stored value.
    HRESULT Get(VARIANT* out) const {
        if (out == nullptr) return E_POINTER;
        VariantClear(out);
        return value_ ? VariantCopy(out, value_.get()) : S_OK;
    }

    HRESULT Put(const VARIANT& value) {
        if (!value_) {
            value_.reset(new (std::nothrow) VARIANT);
            if (!value_) return E_OUTOFMEMORY;
            VariantInit(value_.get());
        }
        // By-reference arguments point into the host's variables, which do
        // not outlive the call: the value they refer to is what is kept.
        VARIANT copy;
        VariantInit(&copy);
        HRESULT hr = VariantCopyInd(&copy, const_cast<VARIANT*>(&value));
        if (FAILED(hr)) return hr;
        VariantClear(value_.get());
        *value_ = copy;
        return S_OK;
    }

   private:
    std::unique_ptr<VARIANT> value_;
};

}  // namespace kinfold
