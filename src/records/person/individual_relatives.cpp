// The members of an individual that lead to other records: its families
// through the family links, its parents, spouses and aliases.
#include <memory>
#include <new>
#include <utility>

#include "access/collections.h"
#include "access/out_param.h"
#include "records/person/individual_record.h"
#include "records/person/kinship.h"
#include "records/person/linked_targets.h"
#include "records/person/on_demand_records.h"

namespace kinfold {

HRESULT GDIndividualRecord::get_SpouseFamilies(IGDFamilies** pVal) {
    return MakeBuiltCollection(pVal, TargetsOf(entry_->spouseFamilyLinks_));
}

HRESULT GDIndividualRecord::get_ChildFamilies(IGDFamilies** pVal) {
    return MakeBuiltCollection(pVal, TargetsOf(entry_->childFamilyLinks_));
}

HRESULT GDIndividualRecord::get_ChildFamilyLinks(IGDFamilyLinks** pVal) {
    return MakeKeptLinesCollection(pVal, entry_->childFamilyLinks_, entry_);
}

HRESULT GDIndividualRecord::get_SpouseFamilyLinks(IGDFamilyLinks** pVal) {
    return MakeKeptLinesCollection(pVal, entry_->spouseFamilyLinks_, entry_);
}

HRESULT GDIndividualRecord::get_ParentFamily(IGDFamilyRecord** pVal) {
    return ReturnObject(pVal, ParentFamilyOf(*entry_));
}

HRESULT GDIndividualRecord::get_Father(IGDIndividualRecord** pVal) {
    return ReturnObject(pVal, FatherOf(*entry_));
}

HRESULT GDIndividualRecord::get_Mother(IGDIndividualRecord** pVal) {
    return ReturnObject(pVal, MotherOf(*entry_));
}

// One entry per spouse family, so a couple married twice is listed twice.
// The partner lines are not matched against the individual's sex: the
// husband is taken unless he is this individual, else the wife.
HRESULT GDIndividualRecord::get_Spouses(IGDIndividuals** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    std::unique_ptr<RecordList> spouses(new (std::nothrow) RecordList);
    for (const FamilyLinkLine& link : entry_->spouseFamilyLinks_) {
        if (spouses == nullptr) break;
        const FamilyEntry* family = FamilyOfLink(&link);
        if (family == nullptr) continue;
        IndividualEntry* spouse = HusbandOf(*family);
        if (spouse == nullptr || spouse == entry_) spouse = WifeOf(*family);
        if (spouse != nullptr && !spouses->Append(spouse)) spouses.reset();
    }
    return MakeBuiltCollection(pVal, std::move(spouses));
}

// The ALIA lines are resolved even for a confidential individual, so a
// damaged pointer is reported the same way whatever the state.
HRESULT GDIndividualRecord::get_Aliases(IGDIndividuals** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    RecordList pointers;
    BuildOnDemandRecords(*entry_, "ALIA", &CreateRecordOf<RecordKind::IndividualPointer>, pointers);
    if (entry_->IsConfidential()) pointers.Clear();
    return MakeBuiltCollection(pVal, TargetsOf(pointers));
}

}  // namespace kinfold
