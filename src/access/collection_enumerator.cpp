#include "access/collection_enumerator.h"

namespace kinfold {

CollectionEnumerator::CollectionEnumerator(IUnknown* owner, const ElementSource& source,
                                           size_t position)
    : owner_(owner), source_(source), position_(position) {
    owner_->AddRef();
}

CollectionEnumerator::~CollectionEnumerator() { owner_->Release(); }

HRESULT CollectionEnumerator::Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) {
    if (rgVar == nullptr || (celt != 1 && pCeltFetched == nullptr)) return E_POINTER;
    ULONG fetched = 0;
    while (fetched < celt && position_ < source_.ElementCount()) {
        VARIANT* slot = &rgVar[fetched];
        VariantInit(slot);
        const HRESULT hr = source_.CopyElement(position_, slot);
        if (FAILED(hr)) {
            // All or nothing for this call; the cursor stays past what was
            // copied, so the failing element is the next one tried.
            for (ULONG i = 0; i < fetched; ++i) VariantClear(&rgVar[i]);
            if (pCeltFetched != nullptr) *pCeltFetched = 0;
            return hr;
        }
        ++position_;
        ++fetched;
    }
    if (pCeltFetched != nullptr) *pCeltFetched = fetched;
    return fetched == celt ? S_OK : S_FALSE;
}

HRESULT CollectionEnumerator::Skip(ULONG celt) {
    const size_t count = source_.ElementCount();
    const size_t left = position_ < count ? count - position_ : 0;
    if (celt > left) {
        position_ += left;
        return S_FALSE;
    }
    position_ += celt;
    return S_OK;
}

HRESULT CollectionEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT CollectionEnumerator::Clone(IEnumVARIANT** ppEnum) {
    // Not an automation member: *ppEnum is a plain out-argument and may hold
    // garbage, so it is overwritten, never released.
    return CreateObject<CollectionEnumerator>(ppEnum, owner_, source_, position_);
}

HRESULT CreateEnumerator(IUnknown** out, IUnknown* owner, const ElementSource& source) {
    return CreateObject<CollectionEnumerator>(out, owner, source, size_t{0});
}

}  // namespace kinfold
