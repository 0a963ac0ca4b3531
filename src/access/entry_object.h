// The automation object of a record kept as an entry: the dual interface
// and error information over the entry, which holds the data. The object
// holds its entry; a host may keep the object after the database has gone,
// and the entry then answers from what it keeps in memory.
#pragma once

#include "access/com_object.h"
#include "access/record_entry.h"
#include "kinfold.h"

namespace kinfold {

template <class Iface, class Entry>
class EntryObject : public ObjectRoot, public DualInterface<Iface>, public ErrorInfoSupport<Iface> {
   public:
    using Primary = Iface;

    // Made by `entry` for its database, or (without one) by a host through
    // the class object, with a blank entry of its own made in Initialize.
    explicit EntryObject(Entry* entry = nullptr) : entry_(entry) {
        if (entry_ != nullptr) entry_->AddRef();
    }
    ~EntryObject() override {
        if (entry_ != nullptr) entry_->Release();
    }
    HRESULT Initialize() override {
        if (entry_ != nullptr) return S_OK;
        entry_ = NewEntry<Entry>();
        if (entry_ == nullptr) return E_OUTOFMEMORY;
        entry_->AddRef();
        return S_OK;
    }
    Entry& TheEntry() const { return *entry_; }

   protected:
    Entry* entry_;
};

// A new `Object` over `entry` with one reference, as its IUnknown; null when
// memory runs out.
template <class Object, class Entry>
IUnknown* NewEntryObject(Entry* entry) {
    ComObject<Object>* object = NewObject<Object>(entry);
    if (object == nullptr) return nullptr;
    object->AddRef();
    return static_cast<typename Object::Primary*>(object);
}

}  // namespace kinfold
