#include "records/person/family_entry.h"

#include <new>
#include <vector>

#include "core/gedcom_line.h"
#include "core/record_factory.h"
#include "core/record_host.h"
#include "records/person/fact_event_tables.h"
#include "records/person/family_record.h"
#include "records/person/type_name.h"

namespace kinfold {

IUnknown* FamilyEntry::MakeObject() { return NewEntryObject<GDFamilyRecord>(this); }

// Partners, children and events are kept as entries of the family's lists,
// not as child objects; the family names itself as the child, and refuses
// every line under them (RecordBase::TakeLineUnderKept).
bool FamilyEntry::TakeSubLine(const GedcomLine& line, RecordBase** child) {
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
        AddTypeNameOf(*Database(), TypeSet::FamilyEvents, line, "EVEN");
    } else {
        return false;
    }
    *child = this;
    return true;
}

// A partner or child line whose pointer names no individual fails the link,
// unless the database drops such lines: the family then has no such partner
// or child.
HRESULT FamilyEntry::Link(RecordHost& database) {
    bool dropping = false;
    for (size_t i = 0; i < children_.size(); ++i) {
        if (SUCCEEDED(children_[i].Link(database))) continue;
        size_t earlier = 0;
        // Earlier lines with the same pointer failed as well, so they are
        // still unlinked and keep their text.
        for (size_t j = 0; j < i; ++j)
            earlier += !children_[j].Linked() && children_[j].Pointer() == children_[i].Pointer();
        const std::vector<int32_t> lines = PointerLines("CHIL", children_[i].Pointer());
        if (!database.DropDanglingPointer(*this, earlier < lines.size() ? lines[earlier] : -1))
            return E_FAIL;
        dropping = true;
    }
    if (dropping)
        children_.remove_if([](const IndividualLine& child) { return child.Target() == nullptr; });
    for (bool husband : {true, false}) {
        bool& has = husband ? hasHusband_ : hasWife_;
        IndividualLine& partner = husband ? husband_ : wife_;
        if (!has || SUCCEEDED(partner.Link(database))) continue;
        // The last line of its kind is the partner's.
        const std::vector<int32_t> lines =
            PointerLines(husband ? "HUSB" : "WIFE", partner.Pointer());
        if (!database.DropDanglingPointer(*this, lines.empty() ? -1 : lines.back())) return E_FAIL;
        has = false;
    }
    return S_OK;
}

void FamilyEntry::DropReferences() {
    RecordEntry::DropReferences();
    for (IndividualLine& child : children_) child.DropReferences();
    events_.DropReferences();
    husband_.DropReferences();
    wife_.DropReferences();
}

}  // namespace kinfold
