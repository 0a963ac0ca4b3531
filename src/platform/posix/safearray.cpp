// SAFEARRAY as on Windows: the bounds are stored last dimension first, the
// first dimension varies fastest in memory, and 16 hidden bytes in front of
// the descriptor hold the element type (or, for object arrays, the IID).
#include <cstdlib>
#include <cstring>

#include "platform/fault_injection.h"
#include "variant_internal.h"

namespace kinfold::platform {

ULONG ElementSize(VARTYPE vt) {
    switch (vt) {
        case VT_I1: case VT_UI1: return 1;
        case VT_I2: case VT_UI2: case VT_BOOL: return 2;
        case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: return 4;
        case VT_I8: case VT_UI8: case VT_R8: case VT_CY: case VT_DATE: return 8;
        case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN: return sizeof(void*);
        case VT_DECIMAL: return 16;
        case VT_VARIANT: return sizeof(VARIANT);
        default: return 0;  // no arrays of this type
    }
}

}  // namespace kinfold::platform

namespace {

constexpr size_t kHidden = 16;

unsigned char* HiddenBytes(SAFEARRAY* psa) { return reinterpret_cast<unsigned char*>(psa) - kHidden; }

SAFEARRAY* AllocDescriptor(UINT dims) {
    if (kinfold::fault::AllocationFails()) return nullptr;
    const size_t size = kHidden + sizeof(SAFEARRAY) + (dims - 1) * sizeof(SAFEARRAYBOUND);
    unsigned char* block = static_cast<unsigned char*>(std::calloc(1, size));
    return block ? reinterpret_cast<SAFEARRAY*>(block + kHidden) : nullptr;
}

void FreeDescriptor(SAFEARRAY* psa) { std::free(HiddenBytes(psa)); }

// Zeroed room for `count` cells (at least one); NULL when `count` is the
// too-large mark of CellCount or memory runs out.
void* AllocCells(long long count, ULONG size) {
    if (count < 0 || kinfold::fault::AllocationFails()) return nullptr;
    return std::calloc(count ? static_cast<size_t>(count) : 1, size);
}

// Number of elements, or -1 when it does not fit in memory.
long long CellCount(const SAFEARRAY* psa) {
    long long count = 1;
    for (USHORT i = 0; i < psa->cDims; ++i) {
        count *= psa->rgsabound[i].cElements;
        if (count > (1LL << 40)) return -1;
    }
    return count;
}

// Releases what the elements own (strings, references, variants).
void ReleaseElements(SAFEARRAY* psa) {
    if (!psa->pvData) return;
    const long long count = CellCount(psa);
    for (long long i = 0; i < count; ++i) {
        void* cell = static_cast<char*>(psa->pvData) + i * psa->cbElements;
        if (psa->fFeatures & FADF_BSTR) {
            SysFreeString(*static_cast<BSTR*>(cell));
        } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
            if (IUnknown* object = *static_cast<IUnknown**>(cell)) object->Release();
        } else if (psa->fFeatures & FADF_VARIANT) {
            VariantClear(static_cast<VARIANT*>(cell));
        }
    }
}

// Copies one element from `from` to `to` (both cells of an array with the
// given features); the cell at `to` is empty.
HRESULT CopyCell(USHORT features, ULONG size, void* to, const void* from) {
    if (features & FADF_BSTR) {
        const BSTR text = *static_cast<const BSTR*>(from);
        BSTR copy = SysAllocStringByteLen(reinterpret_cast<const char*>(text), SysStringByteLen(text));
        *static_cast<BSTR*>(to) = copy;
        return copy ? S_OK : E_OUTOFMEMORY;
    }
    if (features & (FADF_UNKNOWN | FADF_DISPATCH)) {
        IUnknown* object = *static_cast<IUnknown* const*>(from);
        if (object) object->AddRef();
        *static_cast<IUnknown**>(to) = object;
        return S_OK;
    }
    if (features & FADF_VARIANT) {
        VariantInit(static_cast<VARIANT*>(to));
        return VariantCopy(static_cast<VARIANT*>(to), static_cast<const VARIANT*>(from));
    }
    std::memcpy(to, from, size);
    return S_OK;
}

}  // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound) {
    const ULONG size = kinfold::platform::ElementSize(vt);
    if (!cDims || cDims > 0xFFFF || !rgsabound || !size) return nullptr;
    SAFEARRAY* psa = AllocDescriptor(cDims);
    if (!psa) return nullptr;
    psa->cDims = static_cast<USHORT>(cDims);
    psa->cbElements = size;
    for (UINT i = 0; i < cDims; ++i) psa->rgsabound[cDims - 1 - i] = rgsabound[i];
    switch (vt) {
        case VT_BSTR: psa->fFeatures = FADF_BSTR | FADF_HAVEVARTYPE; break;
        case VT_VARIANT: psa->fFeatures = FADF_VARIANT | FADF_HAVEVARTYPE; break;
        case VT_UNKNOWN: psa->fFeatures = FADF_UNKNOWN | FADF_HAVEIID; break;
        case VT_DISPATCH: psa->fFeatures = FADF_DISPATCH | FADF_HAVEIID; break;
        default: psa->fFeatures = FADF_HAVEVARTYPE; break;
    }
    unsigned char* hidden = HiddenBytes(psa);
    if (psa->fFeatures & FADF_HAVEIID) {
        std::memcpy(hidden, vt == VT_DISPATCH ? &IID_IDispatch : &IID_IUnknown, sizeof(GUID));
    } else {
        const uint32_t type = vt;
        std::memcpy(hidden + kHidden - sizeof type, &type, sizeof type);
    }
    const long long count = CellCount(psa);
    psa->pvData = AllocCells(count, size);
    if (!psa->pvData) {
        FreeDescriptor(psa);
        return nullptr;
    }
    return psa;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
    SAFEARRAYBOUND bound = {cElements, lLbound};
    SAFEARRAY* psa = SafeArrayCreate(vt, 1, &bound);
    if (psa) psa->fFeatures |= FADF_CREATEVECTOR;
    return psa;
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
    if (!psa) return S_OK;
    if (psa->cLocks > 0) return DISP_E_ARRAYISLOCKED;
    ReleaseElements(psa);
    std::free(psa->pvData);
    FreeDescriptor(psa);
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa) { return psa ? psa->cDims : 0; }

UINT SafeArrayGetElemsize(SAFEARRAY* psa) { return psa ? psa->cbElements : 0; }

HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt) {
    if (!psa || !pvt) return E_INVALIDARG;
    if ((psa->fFeatures & (FADF_HAVEIID | FADF_DISPATCH)) == (FADF_HAVEIID | FADF_DISPATCH)) {
        *pvt = VT_DISPATCH;
    } else if (psa->fFeatures & FADF_HAVEIID) {
        *pvt = VT_UNKNOWN;
    } else if (psa->fFeatures & FADF_HAVEVARTYPE) {
        uint32_t type;
        std::memcpy(&type, HiddenBytes(psa) + kHidden - sizeof type, sizeof type);
        *pvt = static_cast<VARTYPE>(type);
    } else {
        return E_INVALIDARG;
    }
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
    if (!psa || !plLbound) return E_INVALIDARG;
    if (!nDim || nDim > psa->cDims) return DISP_E_BADINDEX;
    *plLbound = psa->rgsabound[psa->cDims - nDim].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
    if (!psa || !plUbound) return E_INVALIDARG;
    if (!nDim || nDim > psa->cDims) return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - nDim];
    *plUbound = static_cast<LONG>(bound.lLbound + static_cast<long long>(bound.cElements) - 1);
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* psa) {
    if (!psa) return E_INVALIDARG;
    if (psa->cLocks >= 0xFFFF) return E_UNEXPECTED;  // the reference's limit
    ++psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* psa) {
    if (!psa) return E_INVALIDARG;
    if (psa->cLocks == 0) return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
    if (!psa || !ppvData) return E_INVALIDARG;
    HRESULT hr = SafeArrayLock(psa);
    *ppvData = SUCCEEDED(hr) ? psa->pvData : nullptr;
    return hr;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData) {
    if (!psa || !rgIndices || !ppvData) return E_INVALIDARG;
    long long cell = 0, stride = 1;
    for (USHORT i = 0; i < psa->cDims; ++i) {
        const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - 1 - i];
        const long long offset = static_cast<long long>(rgIndices[i]) - bound.lLbound;
        if (offset < 0 || offset >= static_cast<long long>(bound.cElements)) return DISP_E_BADINDEX;
        cell += offset * stride;
        stride *= bound.cElements;
    }
    *ppvData = static_cast<char*>(psa->pvData) + cell * psa->cbElements;
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
    if (!psa || !rgIndices || !pv) return E_INVALIDARG;
    void* cell;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &cell);
    if (FAILED(hr)) return hr;
    if (psa->fFeatures & FADF_VARIANT) return VariantCopy(static_cast<VARIANT*>(pv), static_cast<VARIANT*>(cell));
    return CopyCell(psa->fFeatures, psa->cbElements, pv, cell);
}

HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
    if (!psa || !rgIndices) return E_INVALIDARG;
    void* cell;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &cell);
    if (FAILED(hr)) return hr;
    if (psa->fFeatures & FADF_BSTR) {
        // The string itself is passed, not a pointer to it; NULL stores "".
        const BSTR text = static_cast<BSTR>(pv);
        BSTR copy = SysAllocStringByteLen(reinterpret_cast<const char*>(text), SysStringByteLen(text));
        if (!copy) return E_OUTOFMEMORY;
        SysFreeString(*static_cast<BSTR*>(cell));
        *static_cast<BSTR*>(cell) = copy;
        return S_OK;
    }
    if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        IUnknown* object = static_cast<IUnknown*>(pv);
        IUnknown* old = *static_cast<IUnknown**>(cell);
        if (object) object->AddRef();
        if (old) old->Release();
        *static_cast<IUnknown**>(cell) = object;
        return S_OK;
    }
    if (!pv) return E_INVALIDARG;
    if (psa->fFeatures & FADF_VARIANT) return VariantCopy(static_cast<VARIANT*>(cell), static_cast<VARIANT*>(pv));
    std::memcpy(cell, pv, psa->cbElements);
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut) {
    if (!ppsaOut) return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (!psa) return S_OK;
    SAFEARRAY* copy = AllocDescriptor(psa->cDims);
    if (!copy) return E_OUTOFMEMORY;
    std::memcpy(HiddenBytes(copy), HiddenBytes(psa), kHidden);
    copy->cDims = psa->cDims;
    copy->fFeatures = psa->fFeatures & ~(FADF_AUTO | FADF_STATIC | FADF_EMBEDDED | FADF_FIXEDSIZE);
    copy->cbElements = psa->cbElements;
    std::memcpy(copy->rgsabound, psa->rgsabound, psa->cDims * sizeof(SAFEARRAYBOUND));
    const long long count = CellCount(psa);
    copy->pvData = AllocCells(count, psa->cbElements);
    if (!copy->pvData) {
        FreeDescriptor(copy);
        return E_OUTOFMEMORY;
    }
    for (long long i = 0; i < count && psa->pvData; ++i) {
        const size_t offset = static_cast<size_t>(i) * psa->cbElements;
        HRESULT hr = CopyCell(psa->fFeatures, psa->cbElements, static_cast<char*>(copy->pvData) + offset,
                              static_cast<char*>(psa->pvData) + offset);
        if (FAILED(hr)) {
            SafeArrayDestroy(copy);
            return hr;
        }
    }
    *ppsaOut = copy;
    return S_OK;
}
