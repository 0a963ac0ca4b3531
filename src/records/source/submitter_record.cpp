#include "records/source/submitter_record.h"

#include "access/file_text.h"
#include "core/record_host.h"
#include "records/person/first_sub_record.h"
#include "records/person/on_demand_records.h"
#include "records/person/tag_value.h"
#include "records/source/address_record.h"
#include "records/source/forwarding.h"

namespace kinfold {

HRESULT GDSubmitterRecord::get_Name(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "NAME", &GDSubmitterRecord::get_Name);
}
// Only the first LANG line is reachable.
HRESULT GDSubmitterRecord::get_LanguagePreference(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "LANG",
                                   &GDSubmitterRecord::get_LanguagePreference);
}
HRESULT GDSubmitterRecord::get_RegisteredRefNum(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "RFN",
                                   &GDSubmitterRecord::get_RegisteredRefNum);
}
HRESULT GDSubmitterRecord::get_RecordID(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "RIN",
                                   &GDSubmitterRecord::get_RecordID);
}

HRESULT GDSubmitterRecord::get_ID(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return ForwardTo(*this, &GDSubmitterRecord::get_ID, pVal);
    return ReturnFileText(*this, pVal, Id());
}

HRESULT GDSubmitterRecord::get_LastModified(IGDChangeDateRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDSubmitterRecord::get_LastModified, pVal);
    return ReturnLastModified(pVal, *this);
}

HRESULT GDSubmitterRecord::get_Address(IGDAddressRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDSubmitterRecord::get_Address, pVal);
    return ReturnAddress(pVal, *this);
}

HRESULT GDSubmitterRecord::get_Multimedia(IGDMultimedia** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDSubmitterRecord::get_Multimedia, pVal);
    return ReturnOnDemandRecords(pVal, *this, "OBJE", &CreateRecordOf<RecordKind::Multimedia>);
}

HRESULT GDSubmitterRecord::get_Notes(IGDNotes** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDSubmitterRecord::get_Notes, pVal);
    return ReturnOnDemandRecords(pVal, *this, "NOTE", &CreateRecordOf<RecordKind::Note>);
}

HRESULT GDSubmitterRecord::get_Tag(VARIANT* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return ForwardTo(*this, &GDSubmitterRecord::get_Tag, pVal);
    return tag_.Get(pVal);
}

HRESULT GDSubmitterRecord::put_Tag(VARIANT newVal) {
    if (IsPointer()) return ForwardTo(*this, &GDSubmitterRecord::put_Tag, newVal);
    return tag_.Put(newVal);
}

HRESULT GDSubmitterRecord::putref_Tag(VARIANT newVal) {
    if (IsPointer()) return ForwardTo(*this, &GDSubmitterRecord::putref_Tag, newVal);
    return tag_.Put(newVal);
}

void GDSubmissionRecord::TakeOpeningLine(const GedcomLine& line) {
    RecordBase::TakeOpeningLine(line);
    form_ = DecideReferenceForm(*this);
}

HRESULT GDSubmissionRecord::Link(RecordHost& database) {
    if (!IsPointer()) return S_OK;
    RecordBase* submission = database.Submission();
    SetTarget(submission);
    return submission != nullptr ? S_OK : E_FAIL;
}

HRESULT GDSubmissionRecord::get_FamilyFileName(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "FAMF",
                                   &GDSubmissionRecord::get_FamilyFileName);
}
HRESULT GDSubmissionRecord::get_TempleCode(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "TEMP",
                                   &GDSubmissionRecord::get_TempleCode);
}
HRESULT GDSubmissionRecord::get_GenerationsOfAncestors(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "ANCE",
                                   &GDSubmissionRecord::get_GenerationsOfAncestors);
}
HRESULT GDSubmissionRecord::get_GenerationsOfDescendants(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "DESC",
                                   &GDSubmissionRecord::get_GenerationsOfDescendants);
}
HRESULT GDSubmissionRecord::get_OrdinanceProcessFlag(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "ORDI",
                                   &GDSubmissionRecord::get_OrdinanceProcessFlag);
}
HRESULT GDSubmissionRecord::get_RecordID(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "RIN",
                                   &GDSubmissionRecord::get_RecordID);
}

// Not forwarded: a pointer has no ID of its own and shows none.
HRESULT GDSubmissionRecord::get_ID(BSTR* pVal) { return ReturnFileText(*this, pVal, Id()); }

HRESULT GDSubmissionRecord::get_Submitter(IGDSubmitterRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDSubmissionRecord::get_Submitter, pVal);
    return ReturnFirstSubRecord(pVal, *this, "SUBM", &CreateRecordOf<RecordKind::Submitter>);
}

HRESULT GDSubmissionRecord::get_Notes(IGDNotes** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDSubmissionRecord::get_Notes, pVal);
    return ReturnOnDemandRecords(pVal, *this, "NOTE", &CreateRecordOf<RecordKind::Note>);
}

HRESULT GDSubmissionRecord::get_LastModified(IGDChangeDateRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDSubmissionRecord::get_LastModified, pVal);
    return ReturnLastModified(pVal, *this);
}

}  // namespace kinfold
