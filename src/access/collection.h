// The collection objects: one template serves all nineteen collection
// interfaces, instantiated with the interface (whose Item signature comes from
// CollectionTraits) and the kind of container it views: a RecordList (with
// Item by position, or by position or ID), a RecordStore (position or ID), a
// TypeNameSet, a ValueList or an ObjectList (position).
//
// Ownership. A built collection owns its container and destroys it with
// itself. A live collection views a container that a record or the database
// owns, and holds a counted reference to that owner: a host may release the
// database, or the record, while it still holds the collection or one of its
// enumerators, and the container must not vanish under them. The owner never
// holds its collections, so this makes no cycle. An enumerator holds its
// collection, and through it the container.
//
// The container is given at construction and never changes. Only a
// collection that a host creates itself, through the class object, has none;
// its members then fail with E_POINTER, and it has no enumerator. Positions
// are re-checked against the container's current size at every call, because
// a live container may be emptied (the database cleared for the next load)
// while a collection is held.
#pragma once

#include <memory>
#include <utility>

#include "access/collection_elements.h"
#include "access/collection_enumerator.h"
#include "access/collection_traits.h"
#include "access/com_object.h"
#include "access/out_param.h"
#include "platform/automation.h"

namespace kinfold {

template <class CollectionIface, class Container>
class Collection : public ObjectRoot, public DualInterface<CollectionIface>, private ElementSource {
   public:
    using Index = typename CollectionTraits<CollectionIface>::Index;
    using Result = typename CollectionTraits<CollectionIface>::Result;

    Collection() = default;
    Collection(const Container& viewed, IUnknown* owner) : container_(&viewed), owner_(owner) {
        owner_->AddRef();
    }
    explicit Collection(std::unique_ptr<Container> owned)
        : container_(owned.get()), owned_(std::move(owned)) {}
    // A view of what `owner` holds, which the collection owns.
    Collection(std::unique_ptr<Container> owned, IUnknown* owner)
        : container_(owned.get()), owner_(owner), owned_(std::move(owned)) {
        owner_->AddRef();
    }
    ~Collection() override {
        if (owner_ != nullptr) owner_->Release();
    }

    void* FindInterface(REFIID riid) override {
        return LookupInterface<CollectionIface>(this, riid);
    }

    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** pVal) override {
        const HRESULT hr = BeginOut(pVal);
        if (FAILED(hr)) return hr;
        if (container_ == nullptr) return E_POINTER;
        return CreateEnumerator(pVal, static_cast<CollectionIface*>(this), *this);
    }

    // Reading an ID from the index may run out of memory.
    HRESULT STDMETHODCALLTYPE get_Item(Index index, Result* pVal) override {
        HRESULT hr = BeginItemOut(pVal);
        if (FAILED(hr)) return hr;
        if (container_ == nullptr) return E_POINTER;
        return CatchOutOfMemory([&] {
            ElementOf<Container> element{};
            const HRESULT found = FindElement(*container_, index, &element);
            return FAILED(found) ? found : HandOut(element, pVal);
        });
    }

    HRESULT STDMETHODCALLTYPE get_Count(LONG* pVal) override {
        if (container_ == nullptr) return E_POINTER;
        return ReturnValue(pVal, static_cast<LONG>(container_->Size()));
    }

   private:
    // Reached only through an enumerator, which exists only with a container.
    size_t ElementCount() const override { return container_->Size(); }
    HRESULT CopyElement(size_t position, VARIANT* out) const override {
        return CopyToVariant(ElementAt(*container_, position), out);
    }

    const Container* container_ = nullptr;
    IUnknown* owner_ = nullptr;
    std::unique_ptr<Container> owned_;
};

}  // namespace kinfold
