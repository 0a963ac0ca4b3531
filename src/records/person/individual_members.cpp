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
    if (entry_->names_.Size() == 0) return ReturnObject(pVal, BlankNameFor(*entry_));
    RecordBase* name = entry_->names_.ObjectAt(*entry_, 0);
    if (name == nullptr) return E_OUTOFMEMORY;
    return ReturnObject(pVal, name);
}

// Only the first character of the SEX value was kept, as the file wrote it.
HRESULT GDIndividualRecord::get_Sex(BSTR* pVal) {
    return ReturnText(pVal, std::string_view(&entry_->sex_, 1));
}

HRESULT GDIndividualRecord::get_Names(IGDNames** pVal) {
    return MakeKeptLinesCollection(pVal, entry_->names_, entry_);
}

HRESULT GDIndividualRecord::get_Notes(IGDNotes** pVal) {
    return ReturnOnDemandRecords(pVal, *entry_, "NOTE", &CreateRecordOf<RecordKind::Note>,
                                 entry_->IsConfidential());
}

HRESULT GDIndividualRecord::get_LastModified(IGDChangeDateRecord** pVal) {
    return ReturnLastModified(pVal, *entry_);
}

HRESULT GDIndividualRecord::get_UserRefNumbers(IGDReferenceNumbers** pVal) {
    return ReturnUserRefNumbers(pVal, *entry_);
}

HRESULT GDIndividualRecord::get_Sources(IGDSources** pVal) {
    return ReturnOnDemandRecords(pVal, *entry_, "SOUR", &CreateRecordOf<RecordKind::Source>);
}

HRESULT GDIndividualRecord::get_Multimedia(IGDMultimedia** pVal) {
    return ReturnOnDemandRecords(pVal, *entry_, "OBJE", &CreateRecordOf<RecordKind::Multimedia>,
                                 entry_->IsConfidential());
}

HRESULT GDIndividualRecord::get_Associations(IGDAssociations** pVal) {
    return ReturnOnDemandRecords(pVal, *entry_, "ASSO", &CreateRecordOf<RecordKind::Association>,
                                 entry_->IsConfidential());
}

HRESULT GDIndividualRecord::get_Submitters(IGDSubmitters** pVal) {
    return ReturnOnDemandRecords(pVal, *entry_, "SUBM", &CreateRecordOf<RecordKind::Submitter>);
}

HRESULT GDIndividualRecord::get_AncestorInterest(IGDSubmitters** pVal) {
    return ReturnOnDemandRecords(pVal, *entry_, "ANCI", &CreateRecordOf<RecordKind::Submitter>);
}

HRESULT GDIndividualRecord::get_DescendantInterest(IGDSubmitters** pVal) {
    return ReturnOnDemandRecords(pVal, *entry_, "DESI", &CreateRecordOf<RecordKind::Submitter>);
}

// Only a BIRT line makes a birth; a christening does not stand in for it.
HRESULT GDIndividualRecord::get_Birth(IGDFactEventRecord** pVal) {
    return ReturnEvent(pVal, entry_->events_, entry_->birth_, *entry_);
}

HRESULT GDIndividualRecord::get_Death(IGDFactEventRecord** pVal) {
    return ReturnEvent(pVal, entry_->events_, entry_->death_, *entry_);
}

// Events stay visible on a confidential individual; each event hides its
// own details.
HRESULT GDIndividualRecord::get_Events(VARIANT Tag, IGDFactEvents** pVal) {
    return ReturnEvents(pVal, entry_->events_, Tag, entry_);
}

HRESULT GDIndividualRecord::get_RestrictionNotice(BSTR* pVal) {
    return ReturnTagValue(pVal, *entry_, "RESN");
}

HRESULT GDIndividualRecord::get_RecordFileNumber(BSTR* pVal) {
    return ReturnTagValue(pVal, *entry_, "RFN");
}

HRESULT GDIndividualRecord::get_AncestralFileNumber(BSTR* pVal) {
    return ReturnTagValue(pVal, *entry_, "AFN");
}

HRESULT GDIndividualRecord::get_RecordID(BSTR* pVal) {
    return ReturnTagValue(pVal, *entry_, "RIN");
}

HRESULT GDIndividualRecord::get_Tag(VARIANT* pVal) { return hostTag_.Get(pVal); }
HRESULT GDIndividualRecord::put_Tag(VARIANT newVal) { return hostTag_.Put(newVal); }
HRESULT GDIndividualRecord::putref_Tag(VARIANT newVal) { return hostTag_.Put(newVal); }

}  // namespace kinfold
