// One event or attribute line of an individual or a family. Millions of
// these exist in a large file, so the object keeps only its opening line,
// its confidentiality state and the host's tag; every member reads the lines
// under the event's line again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "access/host_tag.h"
#include "access/record_object.h"

namespace kinfold {

class GDFactEventRecord : public RecordObject<IGDFactEventRecord, IGDFactEventRecord> {
   public:
    // 0 not confidential, 1 confidential, 2 not yet decided (reads as not
    // confidential). Written by the owning individual or family.
    void SetConfidentialState(int32_t state) override { confidentialState_ = state; }
    int32_t ConfidentialState() const override { return confidentialState_; }

    // The kind the event is filtered by: the TYPE value under an EVEN or
    // FACT line, the tag of any other line.
    std::string Type() const;

    HRESULT STDMETHODCALLTYPE get_Date(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Age(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_HusbandAge(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_WifeAge(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sources(IGDSources** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Multimedia(IGDMultimedia** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Place(IGDPlaceRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Address(IGDAddressRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Data(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_ResponsibleAgency(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_ReligiousAffiliation(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Cause(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Type(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Confidential(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Confidential(VARIANT_BOOL newVal) override;
    HRESULT STDMETHODCALLTYPE get_GEDCOMTag(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_RestrictionNotice(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Descriptor(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_AssociatedFamily(IGDFamilyRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_AdoptedByParent(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;

   private:
    bool IsConfidential() const { return confidentialState_ == 1; }
    // The value of the first `tag` line under the event, or the notice when
    // the event is confidential.
    HRESULT ReturnGuardedValue(BSTR* out, std::string_view tag) const;
    HRESULT ReturnPartnerAge(BSTR* out, std::string_view partnerTag) const;

    int32_t confidentialState_ = 2;
    HostTag hostTag_;
};

}  // namespace kinfold
