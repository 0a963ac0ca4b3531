// The members a host reads on an individual that answer from the record
// itself: its names, sex, events and the plain lines under it.
#include "access/collections.h"
#include "access/out_param.h"
#include "records/person/blank_objects.h"
#include "records/person/event_filter.h"
#include "records/person/individual_record.h"
#include "records/person/on_demand_records.h"
#include "records/person/tag_value.h"

namespace kinfold {

HRESULT GDIndividualRecord::get_Name(IGDNameRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (names_.Size() == 0) return ReturnObject(pVal, BlankNameFor(*this));
    RecordBase* name = names_.ObjectAt(*this, 0);
    if (name == nullptr) return E_OUTOFMEMORY;
    return ReturnObject(pVal, name);
}

// Only the first character of the SEX value was kept, as the file wrote it.
HRESULT GDIndividualRecord::get_Sex(BSTR* pVal) {
    return ReturnText(pVal, std::string_view(&sex_, 1));
}

HRESULT GDIndividualRecord::get_Names(IGDNames** pVal) {
    return MakeKeptLinesCollection(pVal, names_, this);
}

HRESULT GDIndividualRecord::get_Notes(IGDNotes** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "NOTE", &CreateRecordOf<RecordKind::Note>,
                                 IsConfidential());
}

HRESULT GDIndividualRecord::get_LastModified(IGDChangeDateRecord** pVal) {
    return ReturnLastModified(pVal, *this);
}

HRESULT GDIndividualRecord::get_UserRefNumbers(IGDReferenceNumbers** pVal) {
    return ReturnUserRefNumbers(pVal, *this);
}

HRESULT GDIndividualRecord::get_Sources(IGDSources** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "SOUR", &CreateRecordOf<RecordKind::Source>);
}

HRESULT GDIndividualRecord::get_Multimedia(IGDMultimedia** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "OBJE", &CreateRecordOf<RecordKind::Multimedia>,
                                 IsConfidential());
}

HRESULT GDIndividualRecord::get_Associations(IGDAssociations** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "ASSO", &CreateRecordOf<RecordKind::Association>,
                                 IsConfidential());
}

HRESULT GDIndividualRecord::get_Submitters(IGDSubmitters** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "SUBM", &CreateRecordOf<RecordKind::Submitter>);
}

HRESULT GDIndividualRecord::get_AncestorInterest(IGDSubmitters** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "ANCI", &CreateRecordOf<RecordKind::Submitter>);
}

HRESULT GDIndividualRecord::get_DescendantInterest(IGDSubmitters** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "DESI", &CreateRecordOf<RecordKind::Submitter>);
}

// Only a BIRT line makes a birth; a christening does not stand in for it.
HRESULT GDIndividualRecord::get_Birth(IGDFactEventRecord** pVal) {
    return ReturnEvent(pVal, events_, birth_, *this);
}

HRESULT GDIndividualRecord::get_Death(IGDFactEventRecord** pVal) {
    return ReturnEvent(pVal, events_, death_, *this);
}

// Events stay visible on a confidential individual; each event hides its
// own details.
HRESULT GDIndividualRecord::get_Events(VARIANT Tag, IGDFactEvents** pVal) {
    return ReturnEvents(pVal, events_, Tag, static_cast<RecordBase*>(this));
}

HRESULT GDIndividualRecord::get_RestrictionNotice(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "RESN");
}

HRESULT GDIndividualRecord::get_RecordFileNumber(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "RFN");
}

HRESULT GDIndividualRecord::get_AncestralFileNumber(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "AFN");
}

HRESULT GDIndividualRecord::get_RecordID(BSTR* pVal) { return ReturnTagValue(pVal, *this, "RIN"); }

HRESULT GDIndividualRecord::get_Tag(VARIANT* pVal) { return hostTag_.Get(pVal); }
HRESULT GDIndividualRecord::put_Tag(VARIANT newVal) { return hostTag_.Put(newVal); }
HRESULT GDIndividualRecord::putref_Tag(VARIANT newVal) { return hostTag_.Put(newVal); }

}  // namespace kinfold
