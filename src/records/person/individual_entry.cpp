#include "records/person/individual_entry.h"

#include "core/gedcom_line.h"
#include "core/record_host.h"
#include "records/person/fact_event_tables.h"
#include "records/person/individual_record.h"
#include "records/person/kinship.h"
#include "records/person/type_name.h"

namespace kinfold {

IUnknown* IndividualEntry::MakeObject() { return NewEntryObject<GDIndividualRecord>(this); }

// Names, family links and events are kept as entries of the individual's
// lists, not as child objects; the individual names itself as the child so
// that the lines under them come to TakeLineUnderKept.
bool IndividualEntry::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    const std::string_view tag = line.Tag();
    if (tag == "SEX") {
        sex_ = line.Value().empty() ? '\0' : line.Value().front();
        return false;
    }
    if (tag == "NAME") return KeepLine(names_.Add(line), KeptLine::Name, child);
    if (tag == "FAMS")
        return KeepLine(spouseFamilyLinks_.Add(line, false), KeptLine::SpouseLink, child);
    if (tag == "FAMC")
        return KeepLine(childFamilyLinks_.Add(line, true), KeptLine::ChildLink, child);

    RecordHost& database = *Database();
    if (InTagTable(kIndividualEventTags, tag)) {
        if (!events_.Add(line)) return false;
        if (tag == "BIRT" && birth_ == kNoEvent) birth_ = static_cast<uint32_t>(events_.Size() - 1);
        if (tag == "DEAT" && death_ == kNoEvent) death_ = static_cast<uint32_t>(events_.Size() - 1);
        AddTypeNameOf(database, TypeSet::IndividualEvents, line, "EVEN");
        return KeepLine(true, KeptLine::Event, child);
    }
    if (InTagTable(kIndividualAttributeTags, tag))
        AddTypeNameOf(database, TypeSet::IndividualAttributes, line, "FACT");
    return false;
}

bool IndividualEntry::KeepLine(bool kept, KeptLine kind, RecordBase** child) {
    if (!kept) return false;
    lastKept_ = kind;
    *child = this;
    return true;
}

// A name takes the SURN and GIVN lines directly under it and refuses every
// line; a family link takes its PEDI lines and the lines under those (the
// last PEDI wins); an event keeps nothing of the lines under it.
bool IndividualEntry::TakeLineUnderKept(const GedcomLine& line) {
    switch (lastKept_) {
        case KeptLine::Name:
            names_.TakeNamePart(line);
            return false;
        case KeptLine::ChildLink:
        case KeptLine::SpouseLink:
            if (line.Tag() != "PEDI") return false;
            return (lastKept_ == KeptLine::ChildLink ? childFamilyLinks_ : spouseFamilyLinks_)
                .WritePedigree(line.Value());
        case KeptLine::Event:
            break;
    }
    return false;
}

HRESULT IndividualEntry::Link(RecordHost& database) {
    const HRESULT hr = childFamilyLinks_.Link(database, *this);
    return SUCCEEDED(hr) ? spouseFamilyLinks_.Link(database, *this) : hr;
}

void IndividualEntry::DropReferences() {
    RecordEntry::DropReferences();
    names_.DropReferences();
    childFamilyLinks_.DropReferences();
    spouseFamilyLinks_.DropReferences();
    events_.DropReferences();
}

void IndividualEntry::SpreadConfidentialState(int32_t state) {
    confidentialState_ = static_cast<int8_t>(state);
    names_.SetConfidentialState(state);
    events_.SetConfidentialState(state);
    ForEachLinkedFamily(spouseFamilyLinks_, [state](FamilyEntry& family) {
        family.SetConfidentialState(state);
        family.SetEventStates(state);
    });
}

}  // namespace kinfold
