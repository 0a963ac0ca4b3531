// VARIANT lifetime and the conversion entry points. Conversion copies the
// source (dereferenced) first, so that converting a VARIANT into itself works
// and a failed conversion leaves the destination untouched.
#include <cstring>

#include "variant_internal.h"

namespace kinfold::platform {

HRESULT ValidateVarType(VARTYPE vt) {
    const VARTYPE extra = vt & 0xF000;
    const VARTYPE base = vt & VT_TYPEMASK;
    if (extra & (VT_VECTOR | VT_RESERVED)) return DISP_E_BADVARTYPE;
    if (base >= VT_VOID && base != VT_RECORD) return DISP_E_BADVARTYPE;
    if (base == 15) return DISP_E_BADVARTYPE;
    // No reference to, or array of, "nothing".
    if ((extra & (VT_BYREF | VT_ARRAY)) && base <= VT_NULL) return DISP_E_BADVARTYPE;
    return S_OK;
}

namespace {

HRESULT CoerceArray(VARIANT* dest, const VARIANT* src, VARTYPE vt) {
    if (vt == VT_BSTR && src->vt == (VT_ARRAY | VT_UI1)) {
        // The bytes of a one-dimensional byte array become the string's bytes.
        SAFEARRAY* array = src->parray;
        if (!array || array->cDims != 1) return DISP_E_TYPEMISMATCH;
        dest->bstrVal = SysAllocStringByteLen(static_cast<const char*>(array->pvData),
                                              array->rgsabound[0].cElements);
        return dest->bstrVal ? S_OK : E_OUTOFMEMORY;
    }
    if (src->vt == VT_BSTR && vt == (VT_ARRAY | VT_UI1)) {
        const UINT bytes = SysStringByteLen(src->bstrVal);
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, bytes);
        if (!array) return E_OUTOFMEMORY;
        if (bytes) std::memcpy(array->pvData, src->bstrVal, bytes);
        dest->parray = array;
        return S_OK;
    }
    if (src->vt == vt) return SafeArrayCopy(src->parray, &dest->parray);
    return DISP_E_TYPEMISMATCH;
}

}  // namespace
}  // namespace kinfold::platform

using kinfold::platform::ValidateVarType;

void VariantInit(VARIANTARG* pvarg) {
    if (!pvarg) return;
    pvarg->vt = VT_EMPTY;
    pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
}

HRESULT VariantClear(VARIANTARG* pvarg) {
    if (!pvarg) return E_INVALIDARG;
    HRESULT hr = ValidateVarType(pvarg->vt);
    if (FAILED(hr)) return hr;
    if (!V_ISBYREF(pvarg)) {
        if (V_ISARRAY(pvarg)) {
            hr = SafeArrayDestroy(pvarg->parray);
        } else if (pvarg->vt == VT_BSTR) {
            SysFreeString(pvarg->bstrVal);
        } else if (pvarg->vt == VT_DISPATCH || pvarg->vt == VT_UNKNOWN) {
            if (pvarg->punkVal) pvarg->punkVal->Release();
        }
    }
    pvarg->vt = VT_EMPTY;
    return hr;
}

HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc) {
    if (!pvargDest || !pvargSrc) return E_INVALIDARG;
    if (FAILED(ValidateVarType(pvargSrc->vt))) return DISP_E_BADVARTYPE;
    if (pvargSrc == pvargDest) return S_OK;
    HRESULT hr = VariantClear(pvargDest);
    if (FAILED(hr)) return hr;
    *pvargDest = *pvargSrc;
    if (V_ISBYREF(pvargSrc)) return S_OK;  // references are copied as they are
    if (V_ISARRAY(pvargSrc)) {
        pvargDest->parray = nullptr;
        return SafeArrayCopy(pvargSrc->parray, &pvargDest->parray);
    }
    switch (pvargSrc->vt) {
        case VT_BSTR:
            // Even a NULL string comes back as a new (empty) one.
            pvargDest->bstrVal = SysAllocStringByteLen(reinterpret_cast<const char*>(pvargSrc->bstrVal),
                                                       SysStringByteLen(pvargSrc->bstrVal));
            return pvargDest->bstrVal ? S_OK : E_OUTOFMEMORY;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (pvargSrc->punkVal) pvargSrc->punkVal->AddRef();
            return S_OK;
        default:
            return S_OK;
    }
}

HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc) {
    if (!pvarDest || !pvargSrc) return E_INVALIDARG;
    if (!V_ISBYREF(pvargSrc)) return VariantCopy(pvarDest, pvargSrc);
    const VARTYPE base = pvargSrc->vt & VT_TYPEMASK;
    const bool valid = V_ISARRAY(pvargSrc) ||
                       (base > VT_NULL && base != 15 && base < VT_VOID && !(pvargSrc->vt & (VT_VECTOR | VT_RESERVED)));
    if (!valid || !pvargSrc->byref) return E_INVALIDARG;

    const VARIANT source = *pvargSrc;  // the destination may be the source
    if (pvarDest != pvargSrc) {
        HRESULT hr = VariantClear(pvarDest);
        if (FAILED(hr)) return hr;
    }
    VariantInit(pvarDest);
    HRESULT hr = S_OK;
    if (V_ISARRAY(&source)) {
        hr = SafeArrayCopy(*source.pparray, &pvarDest->parray);
    } else if (base == VT_BSTR) {
        const BSTR text = *source.pbstrVal;
        pvarDest->bstrVal = SysAllocStringByteLen(reinterpret_cast<const char*>(text), SysStringByteLen(text));
        if (!pvarDest->bstrVal) hr = E_OUTOFMEMORY;
    } else if (base == VT_DISPATCH || base == VT_UNKNOWN) {
        pvarDest->punkVal = *source.ppunkVal;
        if (pvarDest->punkVal) pvarDest->punkVal->AddRef();
    } else if (base == VT_VARIANT) {
        // Only one level of reference is followed.
        if (source.pvarVal->vt == (VT_VARIANT | VT_BYREF)) return E_INVALIDARG;
        return VariantCopyInd(pvarDest, source.pvarVal);
    } else {
        std::memcpy(&pvarDest->llVal, source.byref, kinfold::platform::ElementSize(base));
    }
    if (FAILED(hr)) return hr;
    pvarDest->vt = source.vt & ~VT_BYREF;
    return S_OK;
}

HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt) {
    return VariantChangeTypeEx(pvargDest, pvarSrc, LOCALE_USER_DEFAULT, wFlags, vt);
}

HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid, USHORT wFlags,
                            VARTYPE vt) {
    if (!pvargDest || !pvarSrc) return E_INVALIDARG;
    HRESULT hr = ValidateVarType(pvarSrc->vt);
    if (SUCCEEDED(hr)) hr = ValidateVarType(vt);
    if (FAILED(hr)) return hr;
    if (V_ISBYREF(pvarSrc) && !pvarSrc->byref) return DISP_E_TYPEMISMATCH;

    VARIANT source, result;
    VariantInit(&source);
    VariantInit(&result);
    hr = VariantCopyInd(&source, pvarSrc);
    if (FAILED(hr)) return hr;
    if (V_ISARRAY(&source) || (vt & VT_ARRAY))
        hr = kinfold::platform::CoerceArray(&result, &source, vt);
    else
        hr = kinfold::platform::Coerce(&result, lcid, wFlags, &source, vt);
    if (SUCCEEDED(hr)) {
        result.vt = vt;
        hr = VariantCopy(pvargDest, &result);
    }
    VariantClear(&result);
    VariantClear(&source);
    return hr;
}
