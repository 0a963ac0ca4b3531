// Calls by member name, the way a script host reaches an object:
// GetIDsOfNames, then Invoke with the arguments in reverse order.
#pragma once

#include <string_view>
#include <vector>

#include "kinfold.h"

namespace kinfold::test {

// Owns the VARIANT it holds.
class Variant {
   public:
    Variant() { VariantInit(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&v_); }
    VARIANT* operator&() { return &v_; }
    const VARIANT& operator*() const { return v_; }
    const VARIANT* operator->() const { return &v_; }

   private:
    VARIANT v_;
};

// The DISPID of `name`, or DISPID_UNKNOWN.
DISPID IdOfName(IDispatch* object, std::string_view name);

// Invokes `name` with `flags`; `args` in natural order. Returns the HRESULT.
HRESULT InvokeByName(IDispatch* object, std::string_view name, WORD flags,
                     std::vector<VARIANT> args, VARIANT* result);

// The object in a VT_DISPATCH result (borrowed).
inline IDispatch* AsObject(const Variant& v) {
    return v->vt == VT_DISPATCH ? v->pdispVal : nullptr;
}

}  // namespace kinfold::test
