// One VARIANT value converted to another type, pair by pair, with the
// reference's results: same-width integers are reinterpreted rather than
// checked, reals round half to even, BOOL converts as the 16-bit integer it
// is, objects give their default value (DISPID_VALUE).
#include <cfloat>
#include <cmath>
#include <cstdio>

#include "variant_internal.h"

namespace kinfold::platform {
namespace {

bool IsIntegerType(VARTYPE vt) {
    switch (vt) {
        case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4:
        case VT_INT: case VT_UINT: case VT_I8: case VT_UI8:
            return true;
        default:
            return false;
    }
}

bool IsSignedType(VARTYPE vt) {
    return vt == VT_I1 || vt == VT_I2 || vt == VT_I4 || vt == VT_INT || vt == VT_I8 || vt == VT_BOOL;
}

int WidthOf(VARTYPE vt) {
    switch (vt) {
        case VT_I1: case VT_UI1: return 8;
        case VT_I2: case VT_UI2: case VT_BOOL: return 16;
        case VT_I8: case VT_UI8: return 64;
        default: return 32;
    }
}

// The integer in `v` (of an integer type or VT_BOOL), sign-extended or
// zero-extended to 64 bits.
uint64_t RawInteger(const VARIANT* v) {
    switch (v->vt) {
        case VT_I1: return static_cast<uint64_t>(static_cast<int64_t>(v->cVal));
        case VT_UI1: return v->bVal;
        case VT_I2: return static_cast<uint64_t>(static_cast<int64_t>(v->iVal));
        case VT_BOOL: return static_cast<uint64_t>(static_cast<int64_t>(v->boolVal));
        case VT_UI2: return v->uiVal;
        case VT_I4: case VT_INT: return static_cast<uint64_t>(static_cast<int64_t>(v->lVal));
        case VT_UI4: case VT_UINT: return v->ulVal;
        default: return v->ullVal;
    }
}

void StoreBits(VARIANT* out, VARTYPE vt, uint64_t bits) {
    switch (WidthOf(vt)) {
        case 8: out->bVal = static_cast<BYTE>(bits); break;
        case 16: out->uiVal = static_cast<USHORT>(bits); break;
        case 32: out->ulVal = static_cast<ULONG>(bits); break;
        default: out->ullVal = bits; break;
    }
}

HRESULT IntegerToInteger(const VARIANT* src, VARTYPE vt, VARIANT* out) {
    const uint64_t raw = RawInteger(src);
    // BOOL and integers of the same width are reinterpreted, not checked.
    if (src->vt == VT_BOOL || WidthOf(src->vt) == WidthOf(vt)) {
        StoreBits(out, vt, raw);
        return S_OK;
    }
    const bool negative = IsSignedType(src->vt) && static_cast<int64_t>(raw) < 0;
    // The reference checks I8 and UI8 to UI2 against the 32-bit range, then truncates.
    if ((src->vt == VT_I8 || src->vt == VT_UI8) && vt == VT_UI2) {
        if (negative || raw > UINT32_MAX) return DISP_E_OVERFLOW;
        StoreBits(out, vt, raw);
        return S_OK;
    }
    const int width = WidthOf(vt);
    if (IsSignedType(vt)) {
        const int64_t min = width == 64 ? INT64_MIN : -(int64_t(1) << (width - 1));
        const int64_t max = width == 64 ? INT64_MAX : (int64_t(1) << (width - 1)) - 1;
        if (!negative && raw > static_cast<uint64_t>(max)) return DISP_E_OVERFLOW;
        if (negative && static_cast<int64_t>(raw) < min) return DISP_E_OVERFLOW;
    } else {
        const uint64_t max = width == 64 ? UINT64_MAX : (uint64_t(1) << width) - 1;
        if (negative || raw > max) return DISP_E_OVERFLOW;
    }
    StoreBits(out, vt, raw);
    return S_OK;
}

// Rounds half to even, as oleaut32 does for every real to integer conversion.
double RoundHalfEven(double value) {
    const double whole = value < 0 ? std::ceil(value) : std::floor(value);
    const double fraction = value - whole;
    const bool odd = std::fmod(whole, 2.0) != 0;
    if (fraction > 0.5 || (fraction == 0.5 && odd)) return whole + 1;
    if (fraction < -0.5 || (fraction == -0.5 && odd)) return whole - 1;
    return whole;
}

HRESULT RealToInteger(double value, VARTYPE vt, VARIANT* out) {
    if (std::isnan(value)) {
        // The reference's arithmetic on a NaN yields these values.
        const int width = WidthOf(vt);
        StoreBits(out, vt, width == 64 ? uint64_t(INT64_MAX) : (width == 32 && IsSignedType(vt)) ? uint64_t(INT32_MAX) : UINT64_MAX);
        return S_OK;
    }
    double low, high;  // accepted: low <= value < high (UI8: value <= high)
    switch (vt) {
        case VT_I1: low = -128.5, high = 127.5; break;
        case VT_UI1: low = -0.5, high = 255.5; break;
        case VT_I2: low = -32768.5, high = 32767.5; break;
        case VT_UI2: low = -0.5, high = 65535.5; break;
        case VT_I4: case VT_INT: low = -2147483648.5, high = 2147483647.5; break;
        case VT_UI4: case VT_UINT: low = -0.5, high = 4294967295.5; break;
        case VT_I8: low = -4611686018427387904.0, high = 4611686018427387904.0; break;  // the reference stops at 2^62
        default:
            if (value < -0.5 || value > 1.844674407370955e19) return DISP_E_OVERFLOW;
            out->ullVal = static_cast<uint64_t>(RoundHalfEven(value));
            return S_OK;
    }
    if (value < low || value >= high) return DISP_E_OVERFLOW;
    const double rounded = RoundHalfEven(value);
    StoreBits(out, vt, static_cast<uint64_t>(static_cast<int64_t>(rounded)));
    return S_OK;
}

double IntegerToReal(const VARIANT* src) {
    const uint64_t raw = RawInteger(src);
    if (IsSignedType(src->vt)) return static_cast<double>(static_cast<int64_t>(raw));
    return static_cast<double>(raw);
}

float IntegerToFloat(const VARIANT* src) {
    const uint64_t raw = RawInteger(src);
    if (IsSignedType(src->vt)) return static_cast<float>(static_cast<int64_t>(raw));
    return static_cast<float>(raw);
}

bool IsNumeric(VARTYPE vt) { return IsIntegerType(vt) || vt == VT_BOOL || vt == VT_R4 || vt == VT_R8; }

// The default value of an object, converted to `vt`.
// Of the caller's flags only VARIANT_LOCALBOOL reaches the value's conversion.
HRESULT FromDispatch(IDispatch* object, LCID lcid, USHORT flags, VARTYPE vt, VARIANT* out) {
    if (!object) return DISP_E_BADVARTYPE;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT value;
    VariantInit(&value);
    if (FAILED(object->Invoke(DISPID_VALUE, IID_NULL, lcid, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr)))
        return DISP_E_TYPEMISMATCH;
    VARIANT converted;
    VariantInit(&converted);
    HRESULT hr = VariantChangeTypeEx(&converted, &value, lcid, flags & VARIANT_LOCALBOOL, vt);
    VariantClear(&value);
    if (SUCCEEDED(hr)) *out = converted;  // ownership moves to the caller
    return hr;
}

HRESULT BoolFromText(BSTR text, VARIANT* out) {
    if (!text) return DISP_E_TYPEMISMATCH;
    auto equalsIgnoringCase = [text](const char* word) {
        size_t i = 0;
        for (; word[i]; ++i) {
            OLECHAR c = text[i];
            if (c >= u'A' && c <= u'Z') c = static_cast<OLECHAR>(c - u'A' + u'a');
            if (c != static_cast<OLECHAR>(word[i])) return false;
        }
        return text[i] == 0;
    };
    auto equals = [text](const char* word) {
        size_t i = 0;
        for (; word[i]; ++i)
            if (text[i] != static_cast<OLECHAR>(word[i])) return false;
        return text[i] == 0;
    };
    if (equalsIgnoringCase("true") || equals("#TRUE#")) {
        out->boolVal = VARIANT_TRUE;
        return S_OK;
    }
    if (equalsIgnoringCase("false") || equals("#FALSE#")) {
        out->boolVal = VARIANT_FALSE;
        return S_OK;
    }
    // Otherwise a number: zero is false, anything else true.
    ParsedNumber number;
    VARIANT real;
    HRESULT hr = ParseNumber(text, &number);
    if (SUCCEEDED(hr)) hr = ParsedNumberTo(number, VT_R8, &real);
    if (SUCCEEDED(hr)) out->boolVal = real.dblVal != 0.0 ? VARIANT_TRUE : VARIANT_FALSE;
    return hr;
}

HRESULT ToNumber(const VARIANT* src, LCID lcid, USHORT flags, VARTYPE vt, VARIANT* out) {
    const VARTYPE from = src->vt;
    if (from == VT_EMPTY) {
        out->ullVal = 0;
        return S_OK;
    }
    if (from == VT_DISPATCH) return FromDispatch(src->pdispVal, lcid, flags, vt, out);
    if (from == VT_BSTR) {
        if (vt == VT_BOOL) return BoolFromText(src->bstrVal, out);
        ParsedNumber number;
        HRESULT hr = ParseNumber(src->bstrVal, &number);
        return SUCCEEDED(hr) ? ParsedNumberTo(number, vt, out) : hr;
    }
    if (!IsNumeric(from)) return DISP_E_TYPEMISMATCH;
    const bool real = from == VT_R4 || from == VT_R8;
    const double value = from == VT_R4 ? static_cast<double>(src->fltVal) : from == VT_R8 ? src->dblVal : 0.0;
    switch (vt) {
        case VT_BOOL:
            out->boolVal = (real ? value != 0.0 : RawInteger(src) != 0) ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        case VT_R8:
            out->dblVal = real ? value : IntegerToReal(src);
            return S_OK;
        case VT_R4:
            if (!real) {
                out->fltVal = IntegerToFloat(src);
            } else {
                if (value > FLT_MAX || value < -FLT_MAX) return DISP_E_OVERFLOW;
                out->fltVal = static_cast<float>(value);
            }
            return S_OK;
        default:
            return real ? RealToInteger(value, vt, out) : IntegerToInteger(src, vt, out);
    }
}

HRESULT DecimalText(const VARIANT* src, VARIANT* out) {
    char text[32];
    const uint64_t raw = RawInteger(src);
    if (IsSignedType(src->vt))
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(raw));
    else
        std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(raw));
    OLECHAR wide[32];
    UINT n = 0;
    for (; text[n]; ++n) wide[n] = static_cast<OLECHAR>(text[n]);
    out->bstrVal = SysAllocStringLen(wide, n);
    return out->bstrVal ? S_OK : E_OUTOFMEMORY;
}

HRESULT ToText(const VARIANT* src, LCID lcid, USHORT flags, VARIANT* out) {
    switch (src->vt) {
        case VT_EMPTY:
            out->bstrVal = SysAllocStringLen(nullptr, 0);
            break;
        case VT_BOOL:
            // Words only on request; otherwise the number -1 or 0.
            if (!(flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL))) return DecimalText(src, out);
            out->bstrVal = SysAllocString(src->boolVal ? OLESTR("True") : OLESTR("False"));
            break;
        case VT_R4:
            out->bstrVal = FormatReal(src->fltVal, 7);
            break;
        case VT_R8:
            out->bstrVal = FormatReal(src->dblVal, 15);
            break;
        case VT_DISPATCH:
            return FromDispatch(src->pdispVal, lcid, flags, VT_BSTR, out);
        default:
            if (!IsIntegerType(src->vt)) return DISP_E_TYPEMISMATCH;
            return DecimalText(src, out);
    }
    return out->bstrVal ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

HRESULT Coerce(VARIANT* dest, LCID lcid, USHORT flags, const VARIANT* src, VARTYPE vt) {
    const VARTYPE from = src->vt;
    if (vt == from) return VariantCopy(dest, src);
    if ((flags & VARIANT_NOVALUEPROP) && from == VT_DISPATCH && vt != VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
    switch (vt) {
        case VT_EMPTY:
        case VT_NULL:
            if (vt == VT_EMPTY && from == VT_NULL) return DISP_E_TYPEMISMATCH;
            if (from > VT_UINT || from == 15 || from == VT_ERROR) return DISP_E_TYPEMISMATCH;
            return S_OK;
        case VT_BSTR:
            return ToText(src, lcid, flags, dest);
        case VT_DISPATCH:
            if (from != VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
            dest->pdispVal = nullptr;
            if (!src->punkVal) return S_OK;
            return src->punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dest->pdispVal));
        case VT_UNKNOWN:
            if (from != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
            dest->punkVal = nullptr;
            if (!src->pdispVal) return S_OK;
            return src->pdispVal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&dest->punkVal));
        default:
            if (!IsNumeric(vt)) return DISP_E_TYPEMISMATCH;
            return ToNumber(src, lcid, flags, vt, dest);
    }
}

}  // namespace kinfold::platform
