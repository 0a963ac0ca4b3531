// The family relations that the assistant's walks and the confidentiality
// inference follow, read from the links resolved while loading. A link or a
// partner line whose record is gone (the database was cleared) leads nowhere.
#pragma once

#include "records/person/family_record.h"
#include "records/person/individual_record.h"

namespace kinfold {

inline GDFamilyRecord* FamilyOfLink(const FamilyLinkLine* link) {
    return link != nullptr ? static_cast<GDFamilyRecord*>(link->Target()) : nullptr;
}

inline GDIndividualRecord* IndividualOfPointer(const IndividualLine* line) {
    return line != nullptr ? static_cast<GDIndividualRecord*>(line->Target()) : nullptr;
}

// The family of the first child family link, whatever its pedigree; a
// second FAMC family is never consulted.
inline GDFamilyRecord* ParentFamilyOf(const GDIndividualRecord& individual) {
    return FamilyOfLink(individual.ChildFamilyLinks().Front());
}

inline GDIndividualRecord* HusbandOf(const GDFamilyRecord& family) {
    return IndividualOfPointer(family.Husband());
}

inline GDIndividualRecord* WifeOf(const GDFamilyRecord& family) {
    return IndividualOfPointer(family.Wife());
}

inline GDIndividualRecord* FatherOf(const GDIndividualRecord& individual) {
    const GDFamilyRecord* family = ParentFamilyOf(individual);
    return family != nullptr ? HusbandOf(*family) : nullptr;
}

inline GDIndividualRecord* MotherOf(const GDIndividualRecord& individual) {
    const GDFamilyRecord* family = ParentFamilyOf(individual);
    return family != nullptr ? WifeOf(*family) : nullptr;
}

// Calls `visit` with the family of each link of `links` that leads to one,
// in link order.
template <class Visit>
void ForEachLinkedFamily(const FamilyLinkList& links, Visit visit) {
    for (const FamilyLinkLine& link : links) {
        if (GDFamilyRecord* family = FamilyOfLink(&link)) visit(*family);
    }
}

// Calls `visit` with each child of `family` that resolves, in CHIL order.
template <class Visit>
void ForEachChild(const GDFamilyRecord& family, Visit visit) {
    for (const IndividualLine& line : family.Children()) {
        if (GDIndividualRecord* child = IndividualOfPointer(&line)) visit(*child);
    }
}

}  // namespace kinfold
