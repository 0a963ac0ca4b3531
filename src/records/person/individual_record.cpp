#include "records/person/individual_record.h"

#include "access/file_text.h"
#include "access/out_param.h"
#include "access/pointer_handles.h"
#include "core/gedcom_line.h"
#include "core/gedcom_reader.h"
#include "core/record_factory.h"
#include "core/record_host.h"
#include "records/person/fact_event_tables.h"
#include "records/person/type_name.h"

namespace kinfold {

GDIndividualRecord::~GDIndividualRecord() {
    if (pointerHandle_ != 0) ReleasePointerHandle(pointerHandle_);
}

void* GDIndividualRecord::FindInterface(REFIID riid) {
    return LookupInterface<IGDIndividualRecord, ISupportErrorInfo, IGDPointerAccess>(this, riid);
}

// The handle is made at the first call and stays the individual's for life.
HRESULT GDIndividualRecord::get_Ptr(LONG hinst, LONG* pVal) {
    if (pVal == nullptr) return E_POINTER;
    *pVal = 0;
    if (hinst != InstanceHandleToken()) return E_HANDLE;
    if (pointerHandle_ == 0) pointerHandle_ = AssignPointerHandle(this);
    if (pointerHandle_ == 0) return E_OUTOFMEMORY;
    *pVal = pointerHandle_;
    return S_OK;
}

bool GDIndividualRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    const std::string_view tag = line.Tag();
    if (tag == "SEX") {
        sex_ = line.Value().empty() ? '\0' : line.Value().front();
        return false;
    }
    if (tag == "NAME") return AppendNewChild(RecordKind::Name, names_, child);
    if (tag == "FAMS") return AppendNewChild(RecordKind::FamilyLink, spouseFamilyLinks_, child);
    if (tag == "FAMC") return AppendNewChild(RecordKind::FamilyLink, childFamilyLinks_, child);

    RecordHost& database = *Database();
    if (InTagTable(kIndividualEventTags, tag)) {
        // The event keeps nothing of the lines under it, which are skipped.
        if (!events_.Add(line, Database())) return false;
        if (tag == "BIRT" && birth_ == kNoEvent) birth_ = events_.Size() - 1;
        if (tag == "DEAT" && death_ == kNoEvent) death_ = events_.Size() - 1;
        database.AddTypeName(TypeSet::IndividualEvents, TypeNameWhileLoading(*this, line, "EVEN"));
        return false;
    }
    if (InTagTable(kIndividualAttributeTags, tag))
        database.AddTypeName(TypeSet::IndividualAttributes,
                             TypeNameWhileLoading(*this, line, "FACT"));
    return false;
}

HRESULT GDIndividualRecord::Link(RecordHost& database) {
    for (const RecordList* list : {&names_, &childFamilyLinks_, &spouseFamilyLinks_}) {
        for (RecordBase* record : *list) {
            HRESULT hr = record->Link(database);
            if (FAILED(hr)) return hr;
        }
    }
    return S_OK;
}

HRESULT GDIndividualRecord::get_ID(BSTR* pVal) { return ReturnFileText(*this, pVal, Id()); }

void GDIndividualRecord::DropReferences() {
    RecordBase::DropReferences();
    for (const RecordList* list : {&names_, &childFamilyLinks_, &spouseFamilyLinks_})
        list->DropReferences();
    events_.DropReferences();
}

}  // namespace kinfold
