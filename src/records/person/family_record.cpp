#include "records/person/family_record.h"

#include "access/out_param.h"
#include "core/gedcom_line.h"
#include "core/record_factory.h"
#include "core/record_host.h"
#include "records/person/fact_event_tables.h"
#include "records/person/type_name.h"

namespace kinfold {

GDFamilyRecord::~GDFamilyRecord() {
    for (RecordBase* holder : {husband_, wife_})
        if (holder != nullptr) holder->Release();
}

bool GDFamilyRecord::TakePartner(RecordBase*& holder, RecordBase** child) {
    RecordBase* created = nullptr;
    if (FAILED(CreateRecord(RecordKind::IndividualPointer, &created))) return false;
    if (holder != nullptr) holder->Release();
    holder = created;
    *child = created;
    return true;
}

bool GDFamilyRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    const std::string_view tag = line.Tag();
    if (tag == "CHIL") return AppendNewChild(RecordKind::IndividualPointer, children_, child);
    if (tag == "HUSB") return TakePartner(husband_, child);
    if (tag == "WIFE") return TakePartner(wife_, child);
    if (!InTagTable(kFamilyEventTags, tag)) return false;
    if (!AppendNewChild(RecordKind::FactEvent, events_, child)) return false;
    if (tag == "MARR") married_ = *child;
    Database()->AddTypeName(TypeSet::FamilyEvents, TypeNameWhileLoading(*this, line, "EVEN"));
    return true;
}

HRESULT GDFamilyRecord::Link(RecordHost& database) {
    for (RecordBase* child : children_) {
        HRESULT hr = child->Link(database);
        if (FAILED(hr)) return hr;
    }
    for (RecordBase* partner : {husband_, wife_}) {
        if (partner == nullptr) continue;
        HRESULT hr = partner->Link(database);
        if (FAILED(hr)) return hr;
    }
    for (RecordBase* event : events_) {
        HRESULT hr = event->Link(database);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT GDFamilyRecord::get_ID(BSTR* pVal) { return ReturnText(pVal, Id()); }

void GDFamilyRecord::DropReferences() {
    RecordBase::DropReferences();
    children_.DropReferences();
    events_.DropReferences();
    for (RecordBase* partner : {husband_, wife_})
        if (partner != nullptr) partner->DropReferences();
}

}  // namespace kinfold
