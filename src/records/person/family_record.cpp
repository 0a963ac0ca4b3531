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

// Partners, children and events are kept as entries of the family's lists,
// not as child objects; the family names itself as the child, and refuses
// every line under them (RecordBase::TakeLineUnderKept).
bool GDFamilyRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    const std::string_view tag = line.Tag();
    if (tag == "CHIL" || tag == "HUSB" || tag == "WIFE") {
        try {
            if (tag == "CHIL")
                children_.emplace_back(line.Pointer());
            else
                (tag == "HUSB" ? husband_ : wife_) = IndividualLine(line.Pointer());
        } catch (const std::bad_alloc&) {
            return false;
        }
        if (tag == "HUSB") hasHusband_ = true;
        if (tag == "WIFE") hasWife_ = true;
    } else if (InTagTable(kFamilyEventTags, tag)) {
        if (!events_.Add(line)) return false;
        if (tag == "MARR") married_ = static_cast<uint32_t>(events_.Size() - 1);
        Database()->AddTypeName(TypeSet::FamilyEvents, TypeNameWhileLoading(*this, line, "EVEN"));
    } else {
        return false;
    }
    *child = this;
    return true;
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
