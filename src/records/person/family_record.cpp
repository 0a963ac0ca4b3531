#include "records/person/family_record.h"

#include <new>

#include "access/file_text.h"
#include "access/out_param.h"
#include "core/gedcom_line.h"
#include "core/record_factory.h"
#include "core/record_host.h"
#include "records/person/fact_event_tables.h"
#include "records/person/type_name.h"

namespace kinfold {

bool GDFamilyRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    const std::string_view tag = line.Tag();
    // A pointer line keeps nothing of the lines under it, which are skipped.
    if (tag == "CHIL") {
        try {
            children_.emplace_back(line.Pointer());
        } catch (const std::bad_alloc&) {
        }
        return false;
    }
    if (tag == "HUSB" || tag == "WIFE") {
        (tag == "HUSB" ? husband_ : wife_) = IndividualLine(line.Pointer());
        (tag == "HUSB" ? hasHusband_ : hasWife_) = true;
        return false;
    }
    if (!InTagTable(kFamilyEventTags, tag)) return false;
    if (!events_.Add(line)) return false;
    if (tag == "MARR") married_ = static_cast<uint32_t>(events_.Size() - 1);
    Database()->AddTypeName(TypeSet::FamilyEvents, TypeNameWhileLoading(*this, line, "EVEN"));
    return false;
}

HRESULT GDFamilyRecord::Link(RecordHost& database) {
    for (IndividualLine& child : children_) {
        HRESULT hr = child.Link(database);
        if (FAILED(hr)) return hr;
    }
    for (IndividualLine* partner :
         {hasHusband_ ? &husband_ : nullptr, hasWife_ ? &wife_ : nullptr}) {
        if (partner == nullptr) continue;
        HRESULT hr = partner->Link(database);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT GDFamilyRecord::get_ID(BSTR* pVal) { return ReturnFileText(*this, pVal, Id()); }

void GDFamilyRecord::DropReferences() {
    RecordBase::DropReferences();
    for (IndividualLine& child : children_) child.DropReferences();
    events_.DropReferences();
    husband_.DropReferences();
    wife_.DropReferences();
}

}  // namespace kinfold
