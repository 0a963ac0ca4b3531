// The enumerator behind every collection's _NewEnum (IEnumVARIANT only). It
// holds a counted reference to the collection that made it, which keeps the
// collection's container alive, and a cursor; it copies no element until
// Next hands one out.
#pragma once

#include <cstddef>

#include "access/com_object.h"
#include "platform/automation.h"

namespace kinfold {

// The elements an enumerator walks, read through the collection at each call
// so that a live container is seen as it is now.
class ElementSource {
   public:
    virtual size_t ElementCount() const = 0;
    // Fills `out`, which is empty on entry.
    virtual HRESULT CopyElement(size_t position, VARIANT* out) const = 0;

   protected:
    ~ElementSource() = default;
};

class CollectionEnumerator : public ObjectRoot, public IEnumVARIANT {
   public:
    // `owner` is the collection object behind `source`; it is kept alive.
    CollectionEnumerator(IUnknown* owner, const ElementSource& source, size_t position);
    ~CollectionEnumerator() override;

    void* FindInterface(REFIID riid) override { return LookupInterface<IEnumVARIANT>(this, riid); }

    HRESULT STDMETHODCALLTYPE Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG celt) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** ppEnum) override;

   private:
    IUnknown* owner_;
    const ElementSource& source_;
    size_t position_;
};

// A new enumerator at the first element, handed out as IUnknown.
HRESULT CreateEnumerator(IUnknown** out, IUnknown* owner, const ElementSource& source);

}  // namespace kinfold
