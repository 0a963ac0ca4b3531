#include "platform/posix/dispatch_arguments.h"

#include <new>

namespace kinfold {
namespace {

constexpr int kNotSupplied = -1;

bool IsPropertyPut(const DispatchMember& member) {
    return member.kind == DispatchKind::PropertyPut || member.kind == DispatchKind::PropertyPutRef;
}

// What hosts pass for an argument left out in the middle of a call.
bool IsMissing(const VARIANT& value) {
    return value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND;
}

VARIANT MissingArgument() {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_ERROR;
    value.scode = DISP_E_PARAMNOTFOUND;
    return value;
}

// The defaultvalue literal in the type it was written in; the caller clears it.
HRESULT DefaultLiteral(const DispatchParam& param, VARIANT* literal) {
    VariantInit(literal);
    switch (param.defaultType) {
        case VT_BSTR:
            literal->bstrVal = SysAllocString(param.defaultText);
            if (!literal->bstrVal) return E_OUTOFMEMORY;
            break;
        case VT_R8:
            literal->dblVal = param.defaultNumber;
            break;
        default:
            literal->lVal = static_cast<LONG>(param.defaultNumber);
            break;
    }
    literal->vt = param.defaultType;
    return S_OK;
}

// The interface pointer inside an argument, looking through VT_BYREF.
HRESULT InterfaceOf(const VARIANT* value, IUnknown** unknown) {
    while (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal) value = value->pvarVal;
    switch (value->vt) {
        case VT_DISPATCH:
            *unknown = value->pdispVal;
            return S_OK;
        case VT_UNKNOWN:
            *unknown = value->punkVal;
            return S_OK;
        case VT_BYREF | VT_DISPATCH:
            *unknown = value->ppdispVal ? *value->ppdispVal : nullptr;
            return S_OK;
        case VT_BYREF | VT_UNKNOWN:
            *unknown = value->ppunkVal ? *value->ppunkVal : nullptr;
            return S_OK;
        default:
            return DISP_E_TYPEMISMATCH;
    }
}

// A failed QueryInterface is returned as it is (E_NOINTERFACE), not as a
// type mismatch: oleaut32 does the same.
HRESULT QueryArgument(const DispatchParam& param, const VARIANT& source, VARIANT* out) {
    IUnknown* unknown = nullptr;
    HRESULT hr = InterfaceOf(&source, &unknown);
    if (FAILED(hr)) return hr;
    void* queried = nullptr;
    if (unknown) {
        hr = unknown->QueryInterface(*param.iid, &queried);
        if (FAILED(hr)) return hr;
    }
    out->vt = VT_UNKNOWN;
    out->byref = queried;
    return S_OK;
}

HRESULT ConvertArgument(const DispatchParam& param, const VARIANT& source, VARIANT* out) {
    // A VARIANT parameter gets the argument as sent, VT_BYREF included.
    if (param.type == VT_VARIANT) return VariantCopy(out, &source);
    if (param.iid) return QueryArgument(param, source, out);
    VARIANT direct;
    VariantInit(&direct);
    HRESULT hr = VariantCopyInd(&direct, &source);
    if (SUCCEEDED(hr)) hr = VariantChangeType(out, &direct, 0, param.type);
    VariantClear(&direct);
    return hr;
}

HRESULT PrepareArgument(const DispatchParam& param, const VARIANT* supplied, VARIANT* out) {
    const bool omittable = param.optional || param.hasDefault;
    if (supplied && !(omittable && IsMissing(*supplied)))
        return ConvertArgument(param, *supplied, out);
    if (!param.hasDefault) return ConvertArgument(param, MissingArgument(), out);
    VARIANT literal;
    HRESULT hr = DefaultLiteral(param, &literal);
    if (SUCCEEDED(hr)) hr = ConvertArgument(param, literal, out);
    VariantClear(&literal);
    return hr;
}

// sources[i] := the rgvarg index that supplies parameter i.
HRESULT MapArguments(const DispatchMember& member, const DISPPARAMS& params,
                     std::vector<int>* sources) {
    const bool put = IsPropertyPut(member);
    const UINT count = member.paramCount;
    // The assigned value of a property put always travels as the named
    // argument DISPID_PROPERTYPUT, and it is the last parameter.
    if (put && (params.cNamedArgs == 0 || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
        return DISP_E_PARAMNOTFOUND;
    for (UINT i = 0; i < params.cNamedArgs; ++i) {
        const DISPID name = params.rgdispidNamedArgs[i];
        const bool value = put && i == 0;
        if (!value && (name < 0 || static_cast<UINT>(name) >= count - (put ? 1 : 0)))
            return DISP_E_PARAMNOTFOUND;
        const UINT slot = value ? count - 1 : static_cast<UINT>(name);
        if ((*sources)[slot] != kNotSupplied) return DISP_E_PARAMNOTFOUND;
        (*sources)[slot] = static_cast<int>(i);
    }
    const UINT positional = params.cArgs - params.cNamedArgs;
    if (positional > count - (put ? 1 : 0)) return DISP_E_BADPARAMCOUNT;
    for (UINT k = 0; k < positional; ++k) {
        if ((*sources)[k] != kNotSupplied) return DISP_E_PARAMNOTFOUND;
        (*sources)[k] = static_cast<int>(params.cArgs - 1 - k);
    }
    for (UINT i = 0; i < count; ++i) {
        const DispatchParam& param = member.params[i];
        if ((*sources)[i] == kNotSupplied && !param.optional && !param.hasDefault)
            return DISP_E_BADPARAMCOUNT;
    }
    return S_OK;
}

}  // namespace

DispatchArguments::~DispatchArguments() { Clear(); }

void DispatchArguments::Clear() {
    for (VARIANT& value : values_) VariantClear(&value);
    values_.clear();
}

HRESULT DispatchArguments::Prepare(const DispatchMember& member, const DISPPARAMS& params,
                                   UINT* argErr) {
    Clear();
    if (params.cNamedArgs > params.cArgs || (params.cArgs && !params.rgvarg) ||
        (params.cNamedArgs && !params.rgdispidNamedArgs))
        return E_INVALIDARG;
    std::vector<int> sources;
    try {
        sources.assign(member.paramCount, kNotSupplied);
        values_.resize(member.paramCount);
    } catch (const std::bad_alloc&) {
        values_.clear();
        return E_OUTOFMEMORY;
    }
    HRESULT hr = MapArguments(member, params, &sources);
    if (FAILED(hr)) return hr;
    for (VARIANT& value : values_) VariantInit(&value);
    for (UINT i = 0; i < member.paramCount; ++i) {
        const int source = sources[i];
        hr =
            PrepareArgument(member.params[i],
                            source == kNotSupplied ? nullptr : &params.rgvarg[source], &values_[i]);
        if (FAILED(hr)) {
            if (argErr && source != kNotSupplied) *argErr = static_cast<UINT>(source);
            Clear();
            return hr;
        }
    }
    return S_OK;
}

}  // namespace kinfold
