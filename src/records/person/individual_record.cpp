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
    if (line.Level() > Level() + 1) return TakeLineUnderKept(line);
    if (tag == "SEX") {
        sex_ = line.Value().empty() ? '\0' : line.Value().front();
        return false;
    }
    // Kept lines take the lines under them through TakeLineUnderKept.
    if (tag == "NAME") {
        lastKept_ = KeptLine::Name;
        return names_.Add(line);
    }
    if (tag == "FAMC") {
        lastKept_ = KeptLine::ChildLink;
        return childFamilyLinks_.Add(line, true);
    }
    if (tag == "FAMS") {
        lastKept_ = KeptLine::SpouseLink;
        return spouseFamilyLinks_.Add(line, false);
    }

    RecordHost& database = *Database();
    if (InTagTable(kIndividualEventTags, tag)) {
        // The event keeps nothing of the lines under it, which are skipped.
        if (!events_.Add(line)) return false;
        if (tag == "BIRT" && birth_ == kNoEvent) birth_ = static_cast<uint32_t>(events_.Size() - 1);
        if (tag == "DEAT" && death_ == kNoEvent) death_ = static_cast<uint32_t>(events_.Size() - 1);
        database.AddTypeName(TypeSet::IndividualEvents, TypeNameWhileLoading(*this, line, "EVEN"));
        return false;
    }
    if (InTagTable(kIndividualAttributeTags, tag))
        database.AddTypeName(TypeSet::IndividualAttributes,
                             TypeNameWhileLoading(*this, line, "FACT"));
    return false;
}

// Deeper lines than the individual's own come only from under a kept line;
// each is refused with everything under it, except that a name takes the
// SURN and GIVN lines directly under it, and a family link its PEDI lines
// and the lines under those (the last PEDI wins).
bool GDIndividualRecord::TakeLineUnderKept(const GedcomLine& line) {
    if (lastKept_ == KeptLine::Name) {
        names_.TakeNamePart(line);
        return false;
    }
    if (line.Tag() != "PEDI") return false;
    FamilyLinkList& links = lastKept_ == KeptLine::ChildLink ? childFamilyLinks_ : spouseFamilyLinks_;
    return links.WritePedigree(line.Value());
}

HRESULT GDIndividualRecord::Link(RecordHost& database) {
    const HRESULT hr = childFamilyLinks_.Link(database);
    return SUCCEEDED(hr) ? spouseFamilyLinks_.Link(database) : hr;
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
