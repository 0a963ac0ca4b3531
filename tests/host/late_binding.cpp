#include "host/late_binding.h"

#include "platform/text.h"

namespace kinfold::test {

DISPID IdOfName(IDispatch* object, std::string_view name) {
    BSTR text = AllocBstr(name);
    LPOLESTR names[] = {text};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    SysFreeString(text);
    return id;
}

HRESULT InvokeByName(IDispatch* object, std::string_view name, WORD flags,
                     std::vector<VARIANT> args, VARIANT* result) {
    const DISPID id = IdOfName(object, name);
    if (id == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    UINT argErr = 0;
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                nullptr, &argErr);
    for (VARIANT& arg : args) VariantClear(&arg);
    return hr;
}

}  // namespace kinfold::test
