// The family relations that the assistant's walks and the confidentiality
// inference follow, read from the links resolved while loading. A link or a
// partner line whose record is gone (the database was cleared) leads nowhere.
#pragma once

#include "records/person/family_entry.h"
#include "records/person/individual_entry.h"

namespace kinfold {

inline FamilyEntry* FamilyOfLink(const FamilyLinkLine* link) {
    return link != nullptr ? static_cast<FamilyEntry*>(link->Target()) : nullptr;
}

inline IndividualEntry* IndividualOfPointer(const IndividualLine* line) {
    return line != nullptr ? static_cast<IndividualEntry*>(line->Target()) : nullptr;
}

// The family of the first child family link, whatever its pedigree; a
// second FAMC family is never consulted.
inline FamilyEntry* ParentFamilyOf(const IndividualEntry& individual) {
    return FamilyOfLink(individual.ChildFamilyLinks().Front());
}

inline IndividualEntry* HusbandOf(const FamilyEntry& family) {
    return IndividualOfPointer(family.Husband());
}

inline IndividualEntry* WifeOf(const FamilyEntry& family) {
    return IndividualOfPointer(family.Wife());
}

inline IndividualEntry* FatherOf(const IndividualEntry& individual) {
    const FamilyEntry* family = ParentFamilyOf(individual);
    return family != nullptr ? HusbandOf(*family) : nullptr;
}

inline IndividualEntry* MotherOf(const IndividualEntry& individual) {
    const FamilyEntry* family = ParentFamilyOf(individual);
    return family != nullptr ? WifeOf(*family) : nullptr;
}

// Calls `visit` with the family of each link of `links` that leads to one,
// in link order.
template <class Visit>
void ForEachLinkedFamily(const FamilyLinkList& links, Visit visit) {
    for (const FamilyLinkLine& link : links) {
        if (FamilyEntry* family = FamilyOfLink(&link)) visit(*family);
    }
}

// Calls `visit` with each child of `family` that resolves, in CHIL order.
template <class Visit>
void ForEachChild(const FamilyEntry& family, Visit visit) {
    for (const IndividualLine& line : family.Children()) {
        if (IndividualEntry* child = IndividualOfPointer(&line)) visit(*child);
    }
}

}  // namespace kinfold
