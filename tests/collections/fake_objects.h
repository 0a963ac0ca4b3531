// Stand-ins for what collections show and who owns it: a record with an ID
// that answers one keyed and one positional record interface (so the same
// records fill every kind of collection), and an owner holding one container
// of each kind, as a record or the database would.
#pragma once

#include <string>
#include <string_view>

#include "access/com_object.h"
#include "core/gedcom_line.h"
#include "core/record_base.h"
#include "core/record_list.h"
#include "core/record_store.h"
#include "core/type_name_set.h"
#include "kinfold.h"

namespace kinfold::test {

// Collections never call a record's own members, so they all fail.
class FakeRecordImpl : public ObjectRoot,
                       public WithTarget<RecordBase>,
                       public DualInterface<IGDNoteRecord>,
                       public DualInterface<IGDReferenceNumberRecord> {
   public:
    // An empty `id` makes a record like a sub-record, not read from a level-0 line.
    explicit FakeRecordImpl(std::string_view id) {
        GedcomLine line;
        line.Parse(id.empty() ? std::string("1 REFN 1") : "0 " + std::string(id) + " NOTE", 0);
        TakeOpeningLine(line);
    }

    // Makes the enumerator's copy of this record fail.
    void RefuseDispatch() { refuseDispatch_ = true; }

    void* FindInterface(REFIID riid) override {
        if (refuseDispatch_ && IsEqualIID(riid, IID_IDispatch)) return nullptr;
        return LookupInterface<IGDNoteRecord, IGDReferenceNumberRecord>(this, riid);
    }

    HRESULT STDMETHODCALLTYPE get_Note(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_UserRefNumbers(IGDReferenceNumbers**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_RecordID(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ID(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Sources(IGDSources**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_LastModified(IGDChangeDateRecord**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_RefNumber(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Type(BSTR*) override { return E_NOTIMPL; }

    // The COM identity, which every interface of the record resolves to.
    IUnknown* Identity() { return static_cast<IGDNoteRecord*>(this); }

   private:
    bool refuseDispatch_ = false;
};
using FakeRecord = ComObject<FakeRecordImpl>;

class FakeOwnerImpl : public ObjectRoot, public IUnknown {
   public:
    // `destroyed`, when given, turns true when the owner is gone.
    explicit FakeOwnerImpl(bool* destroyed = nullptr) : destroyed_(destroyed) {}
    ~FakeOwnerImpl() override {
        if (destroyed_ != nullptr) *destroyed_ = true;
    }

    void* FindInterface(REFIID riid) override { return LookupInterface<IUnknown>(this, riid); }

    RecordList list;
    RecordStore store;
    TypeNameSet types;

   private:
    bool* destroyed_;
};
using FakeOwner = ComObject<FakeOwnerImpl>;

}  // namespace kinfold::test
