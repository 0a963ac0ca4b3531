// The automation object of a family, made when a host first gets one; it
// reads everything from its entry.
#pragma once

#include "access/entry_object.h"
#include "access/host_tag.h"
#include "records/person/family_entry.h"

namespace kinfold {

class GDFamilyRecord : public EntryObject<IGDFamilyRecord, FamilyEntry> {
   public:
    using EntryObject::EntryObject;

    void* FindInterface(REFIID riid) override {
        return LookupInterface<IGDFamilyRecord, ISupportErrorInfo>(this, riid);
    }

    HRESULT STDMETHODCALLTYPE get_ID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Children(IGDIndividuals** pVal) override;
    HRESULT STDMETHODCALLTYPE get_CountOfChildren(LONG* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Events(VARIANT Tag, IGDFactEvents** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Husband(IGDIndividualRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Wife(IGDIndividualRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Married(IGDFactEventRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_RestrictionNotice(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sources(IGDSources** pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_LastModified(IGDChangeDateRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_UserRefNumbers(IGDReferenceNumbers** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Multimedia(IGDMultimedia** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Submitters(IGDSubmitters** pVal) override;
    HRESULT STDMETHODCALLTYPE get_LDSSpouseSealings(IGDOrdinances** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE get_Confidential(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Confidential(VARIANT_BOOL newVal) override;

   private:
    HostTag hostTag_;
};

}  // namespace kinfold
