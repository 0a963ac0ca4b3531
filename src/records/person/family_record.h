// One FAM record: the partner and child pointers and the family events are
// kept from loading; everything else is read from the file on demand.
#pragma once

#include <cstdint>

#include "access/host_tag.h"
#include "access/record_object.h"
#include "core/lazy_record_list.h"
#include "core/pool_vector.h"
#include "core/record_list.h"
#include "records/person/individual_line.h"

namespace kinfold {

class GDFamilyRecord : public RecordObject<IGDFamilyRecord, IGDFamilyRecord> {
   public:
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    HRESULT Link(RecordHost& database) override;
    void DropReferences() override;

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

    // 0 not confidential, 1 confidential, 2 not decided (reads as not
    // confidential). A spouse's choice reaches the family through this.
    void SetConfidentialState(int32_t state) override {
        confidentialState_ = static_cast<int8_t>(state);
    }
    int32_t ConfidentialState() const override { return confidentialState_; }

    using IndividualLines = PoolVector<IndividualLine>;
    const IndividualLines& Children() const { return children_; }
    // The last HUSB and WIFE lines, or null when the family has none.
    const IndividualLine* Husband() const { return hasHusband_ ? &husband_ : nullptr; }
    const IndividualLine* Wife() const { return hasWife_ ? &wife_ : nullptr; }
    const LazyRecordList& Events() const { return events_; }
    // The last MARR line; empty when there is none.
    SubLine Married() const { return events_.LineAt(*this, married_); }
    void SetEventStates(int32_t state) { events_.SetConfidentialState(state); }

   private:
    IndividualLines children_;
    LazyRecordList events_;
    IndividualLine husband_;
    IndividualLine wife_;
    // Index in events_; past the end when there is none. The fields are
    // ordered to pack: a large file holds families by the hundred thousand.
    uint32_t married_ = UINT32_MAX;
    bool hasHusband_ = false;
    bool hasWife_ = false;
    int8_t confidentialState_ = 2;
    HostTag hostTag_;
};

}  // namespace kinfold
