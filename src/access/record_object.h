// The automation object of a record: the record's data and loading protocol
// (RecordBase), its dual interface and error-information support.
#pragma once

#include "access/com_object.h"
#include "core/record_base.h"
#include "kinfold_unimplemented.h"

namespace kinfold {

// `Base` is Unimplemented<Iface> while the class serves only part of the
// interface, and Iface once it serves every member.
template <class Iface, class Base = Unimplemented<Iface>>
class RecordObject : public ObjectRoot,
                     public RecordBase,
                     public DualInterface<Iface, Base>,
                     public ErrorInfoSupport<Iface> {
   public:
    void* FindInterface(REFIID riid) override {
        return LookupInterface<Iface, ISupportErrorInfo>(this, riid);
    }
};

}  // namespace kinfold

namespace kinfold {

// A record the system uses inside only: it answers IUnknown and nothing else.
class InternalRecord : public ObjectRoot, public RecordBase {
   public:
    void* FindInterface(REFIID riid) override {
        return IsEqualIID(riid, IID_IUnknown) ? static_cast<RecordBase*>(this) : nullptr;
    }
};

}  // namespace kinfold
