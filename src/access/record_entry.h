// A record that a large file holds by the hundred thousand (individuals,
// families) kept as a small entry: its data and its part in loading and
// linking, without the interfaces of an automation object. The object is
// made the first time the record is handed to a host (any QueryInterface)
// and held by the entry while the entry belongs to a database, so the host
// gets the same object every time, with the Tag it stored there.
#pragma once

#include <atomic>
#include <new>

#include "core/object_pool.h"
#include "core/record_base.h"

namespace kinfold {

class RecordEntry : public RecordBase {
   public:
    // Hands out the object's interface, making the object first.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.fetch_add(1) + 1; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = refs_.fetch_sub(1) - 1;
        if (left == 0) delete this;
        return left;
    }
    // The database is going: the entry lets go of its object, which lives on
    // while the host holds it.
    void DropReferences() override;

   protected:
    // A new automation object over this entry, with one reference; null
    // when memory runs out.
    virtual IUnknown* MakeObject() = 0;

   private:
    // Kept only while the entry has a database: an entry without one is
    // either the private entry of an object a host created, or one whose
    // database has gone, and holding the object would then keep both alive.
    IUnknown* object_ = nullptr;
    std::atomic<ULONG> refs_{0};
};

// An entry in a block of the object pool, as records are.
template <class Entry>
class PooledEntry final : public Entry, public PoolAllocated<PooledEntry<Entry>> {
    static_assert(alignof(Entry) <= kPoolAlignment, "entries live in pool blocks");
};

// A new entry with no reference yet, or null when memory runs out.
template <class Entry>
Entry* NewEntry() {
    return new (std::nothrow) PooledEntry<Entry>();
}

}  // namespace kinfold
