#include "records/person/association_record.h"

#include <string>

#include "core/fixed_string.h"
#include "core/record_host.h"
#include "records/person/on_demand_records.h"
#include "records/person/tag_value.h"

namespace kinfold {
namespace {

struct AssociatedKind {
    std::string_view tag;
    // The kind of record the pointer names; the submission is the database's
    // single record rather than one of a store.
    RecordKind kind;
    std::string_view className;
};

const AssociatedKind kKinds[] = {
    {"INDI", RecordKind::Individual, "GDIndividualRecord"},
    {"FAM", RecordKind::Family, "GDFamilyRecord"},
    {"NOTE", RecordKind::Note, "GDNoteRecord"},
    {"OBJE", RecordKind::Multimedia, "GDMultimediaRecord"},
    {"REPO", RecordKind::Repository, "GDRepositoryRecord"},
    {"SOUR", RecordKind::Source, "GDSourceRecord"},
    {"SUBM", RecordKind::Submitter, "GDSubmitterRecord"},
    {"SUBN", RecordKind::Submission, "GDSubmissionRecord"},
};

int8_t KindOf(std::string_view type) {
    for (size_t i = 0; i < sizeof kKinds / sizeof kKinds[0]; ++i)
        if (TextEquals(kKinds[i].tag, type)) return static_cast<int8_t>(i);
    return -1;
}

RecordBase* FindTarget(const RecordHost& database, const AssociatedKind& kind,
                       std::string_view pointer) {
    if (kind.kind != RecordKind::Submission) return database.FindRecord(kind.kind, pointer);
    RecordBase* submission = database.Submission();
    return submission != nullptr && submission->Id() == pointer ? submission : nullptr;
}

}  // namespace

HRESULT GDAssociationRecord::Link(RecordHost& database) {
    std::string type = ReadTagValue("TYPE");
    kind_ = KindOf(type.empty() ? std::string_view("INDI") : std::string_view(type));
    RecordBase* target = nullptr;
    if (kind_ >= 0) target = FindTarget(database, kKinds[kind_], Pointer());
    SetTarget(target);
    return target != nullptr ? S_OK : E_FAIL;
}

HRESULT GDAssociationRecord::get_Association(VARIANT* pVal) {
    if (pVal == nullptr) return E_POINTER;
    VariantClear(pVal);
    if (kind_ < 0 || Target() == nullptr) return S_OK;
    IDispatch* record = nullptr;
    HRESULT hr = Target()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&record));
    if (FAILED(hr)) return hr;
    pVal->vt = VT_DISPATCH;
    pVal->pdispVal = record;
    return S_OK;
}

HRESULT GDAssociationRecord::get_Relation(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "RELA");
}

HRESULT GDAssociationRecord::get_Notes(IGDNotes** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "NOTE", &CreateRecordOf<RecordKind::Note>);
}

HRESULT GDAssociationRecord::get_Sources(IGDSources** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "SOUR", &CreateRecordOf<RecordKind::Source>);
}

HRESULT GDAssociationRecord::get_Type(BSTR* pVal) {
    return ReturnText(pVal, kind_ >= 0 ? kKinds[kind_].className : std::string_view());
}

}  // namespace kinfold
