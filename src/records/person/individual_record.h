// The automation object of an individual, made when a host first gets one;
// it reads everything from its entry.
#pragma once

#include "access/entry_object.h"
#include "access/host_tag.h"
#include "records/person/individual_entry.h"

namespace kinfold {

// Also answers the hidden IGDPointerAccess, through which the library
// recognises an individual a host hands back in.
class GDIndividualRecord : public EntryObject<IGDIndividualRecord, IndividualEntry>,
                           public DualInterface<IGDPointerAccess> {
   public:
    using EntryObject::EntryObject;
    ~GDIndividualRecord() override;

    void* FindInterface(REFIID riid) override;

    HRESULT STDMETHODCALLTYPE get_ID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Name(IGDNameRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sex(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Names(IGDNames** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sources(IGDSources** pVal) override;
    HRESULT STDMETHODCALLTYPE get_SpouseFamilies(IGDFamilies** pVal) override;
    HRESULT STDMETHODCALLTYPE get_ChildFamilies(IGDFamilies** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Birth(IGDFactEventRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Death(IGDFactEventRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Attributes(VARIANT Tag, IGDFactEvents** pVal) override;
    HRESULT STDMETHODCALLTYPE get_RestrictionNotice(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Events(VARIANT Tag, IGDFactEvents** pVal) override;
    HRESULT STDMETHODCALLTYPE get_ParentFamily(IGDFamilyRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Father(IGDIndividualRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Mother(IGDIndividualRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_ChildFamilyLinks(IGDFamilyLinks** pVal) override;
    HRESULT STDMETHODCALLTYPE get_SpouseFamilyLinks(IGDFamilyLinks** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE get_Spouses(IGDIndividuals** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Confidential(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Confidential(VARIANT_BOOL newVal) override;
    HRESULT STDMETHODCALLTYPE get_Aliases(IGDIndividuals** pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordFileNumber(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_AncestralFileNumber(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_LastModified(IGDChangeDateRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_UserRefNumbers(IGDReferenceNumbers** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Multimedia(IGDMultimedia** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Submitters(IGDSubmitters** pVal) override;
    HRESULT STDMETHODCALLTYPE get_AncestorInterest(IGDSubmitters** pVal) override;
    HRESULT STDMETHODCALLTYPE get_DescendantInterest(IGDSubmitters** pVal) override;
    HRESULT STDMETHODCALLTYPE get_IndividualOrdinances(VARIANT Tag, IGDOrdinances** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Associations(IGDAssociations** pVal) override;

    // IGDPointerAccess
    HRESULT STDMETHODCALLTYPE get_Ptr(LONG hinst, LONG* pVal) override;

   private:
    LONG pointerHandle_ = 0;
    HostTag hostTag_;
};

}  // namespace kinfold
