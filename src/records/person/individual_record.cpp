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

// Names, family links and events are kept as entries of the individual's
// lists, not as child objects; the individual names itself as the child so
// that the lines under them come to TakeLineUnderKept.
bool GDIndividualRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
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

bool GDIndividualRecord::KeepLine(bool kept, KeptLine kind, RecordBase** child) {
    if (!kept) return false;
    lastKept_ = kind;
    *child = this;
    return true;
}

// A name takes the SURN and GIVN lines directly under it and refuses every
// line; a family link takes its PEDI lines and the lines under those (the
// last PEDI wins); an event keeps nothing of the lines under it.
bool GDIndividualRecord::TakeLineUnderKept(const GedcomLine& line) {
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

HRESULT GDIndividualRecord::Link(RecordHost& database) {
    const HRESULT hr = childFamilyLinks_.Link(database, *this);
    return SUCCEEDED(hr) ? spouseFamilyLinks_.Link(database, *this) : hr;
}

HRESULT GDIndividualRecord::get_ID(BSTR* pVal) { return ReturnFileText(*this, pVal, Id()); }

void GDIndividualRecord::DropReferences() {
    RecordBase::DropReferences();
    names_.DropReferences();
    childFamilyLinks_.DropReferences();
    spouseFamilyLinks_.DropReferences();
    events_.DropReferences();
}

}  // namespace kinfold
