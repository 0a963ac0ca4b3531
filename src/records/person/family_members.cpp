// The members a host reads on a family.
#include <cctype>
#include <cstdint>
#include <string>

#include "access/collections.h"
#include "access/file_text.h"
#include "access/out_param.h"
#include "records/person/blank_objects.h"
#include "records/person/event_filter.h"
#include "records/person/family_record.h"
#include "records/person/linked_targets.h"
#include "records/person/on_demand_records.h"
#include "records/person/tag_value.h"

namespace kinfold {
namespace {

// As the C library reads a long: leading blanks and one sign, then digits up
// to the first other character; no digit at all reads as 0.
LONG ReadCount(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    uint32_t count = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at)
        count = count * 10 + static_cast<uint32_t>(text[at] - '0');
    return static_cast<LONG>(negative ? 0u - count : count);
}

}  // namespace

HRESULT GDFamilyRecord::get_ID(BSTR* pVal) { return ReturnFileText(*entry_, pVal, entry_->Id()); }

// The children as the file lists them, not by birth.
HRESULT GDFamilyRecord::get_Children(IGDIndividuals** pVal) {
    return MakeBuiltCollection(pVal, TargetsOf(entry_->children_));
}

// What the file says, not the CHIL lines counted: a family may record
// children it does not name.
HRESULT GDFamilyRecord::get_CountOfChildren(LONG* pVal) {
    if (pVal == nullptr) return E_POINTER;
    const std::string count = entry_->ReadTagValue("NCHI");
    *pVal = count.empty() ? -1 : ReadCount(count);
    return S_OK;
}

HRESULT GDFamilyRecord::get_Events(VARIANT Tag, IGDFactEvents** pVal) {
    return ReturnEvents(pVal, entry_->events_, Tag, entry_);
}

// No blank individual stands in for a missing partner.
HRESULT GDFamilyRecord::get_Husband(IGDIndividualRecord** pVal) {
    return ReturnObject(pVal, entry_->husband_.Target());
}

HRESULT GDFamilyRecord::get_Wife(IGDIndividualRecord** pVal) {
    return ReturnObject(pVal, entry_->wife_.Target());
}

HRESULT GDFamilyRecord::get_Married(IGDFactEventRecord** pVal) {
    return ReturnEvent(pVal, entry_->events_, entry_->married_, *entry_);
}

HRESULT GDFamilyRecord::get_Notes(IGDNotes** pVal) {
    return ReturnOnDemandRecords(pVal, *entry_, "NOTE", &CreateRecordOf<RecordKind::Note>,
                                 entry_->IsConfidential());
}

HRESULT GDFamilyRecord::get_LastModified(IGDChangeDateRecord** pVal) {
    return ReturnLastModified(pVal, *entry_);
}

HRESULT GDFamilyRecord::get_UserRefNumbers(IGDReferenceNumbers** pVal) {
    return ReturnUserRefNumbers(pVal, *entry_);
}

HRESULT GDFamilyRecord::get_Sources(IGDSources** pVal) {
    return ReturnOnDemandRecords(pVal, *entry_, "SOUR", &CreateRecordOf<RecordKind::Source>);
}

HRESULT GDFamilyRecord::get_Multimedia(IGDMultimedia** pVal) {
    return ReturnOnDemandRecords(pVal, *entry_, "OBJE", &CreateRecordOf<RecordKind::Multimedia>,
                                 entry_->IsConfidential());
}

HRESULT GDFamilyRecord::get_Submitters(IGDSubmitters** pVal) {
    return ReturnOnDemandRecords(pVal, *entry_, "SUBM", &CreateRecordOf<RecordKind::Submitter>);
}

// Sealings stay visible on a confidential family.
HRESULT GDFamilyRecord::get_LDSSpouseSealings(IGDOrdinances** pVal) {
    return ReturnOnDemandRecords(pVal, *entry_, "SLGS", &CreateRecordOf<RecordKind::Ordinance>);
}

HRESULT GDFamilyRecord::get_RestrictionNotice(BSTR* pVal) {
    return ReturnTagValue(pVal, *entry_, "RESN");
}

HRESULT GDFamilyRecord::get_RecordID(BSTR* pVal) { return ReturnTagValue(pVal, *entry_, "RIN"); }

HRESULT GDFamilyRecord::get_Tag(VARIANT* pVal) { return hostTag_.Get(pVal); }
HRESULT GDFamilyRecord::put_Tag(VARIANT newVal) { return hostTag_.Put(newVal); }
HRESULT GDFamilyRecord::putref_Tag(VARIANT newVal) { return hostTag_.Put(newVal); }

HRESULT GDFamilyRecord::get_Confidential(VARIANT_BOOL* pVal) {
    return ReturnBool(pVal, entry_->IsConfidential());
}

// Only the family itself: its events keep the state a spouse gave them.
HRESULT GDFamilyRecord::put_Confidential(VARIANT_BOOL newVal) {
    entry_->SetConfidentialState(newVal != VARIANT_FALSE ? 1 : 0);
    return S_OK;
}

}  // namespace kinfold
