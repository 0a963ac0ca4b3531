// The walks over the parent and child links that answer the assistant's
// questions about relatives. They work on the records in memory and read
// nothing from the file.
//
// A file may link a person to be his own ancestor. The walks that list
// relatives (descendants, ancestors, family roots) follow every line, so an
// ancestor reached along two lines is listed twice; when the individuals they
// reach include such a loop, they list each individual once, at its first
// place, instead. Every other walk visits each individual at most once,
// which gives the same answer on files without loops. So every walk ends.
#pragma once

#include "assistant/individual_sequence.h"
#include "platform/automation.h"

namespace kinfold {

class FamilyEntry;

// The kinds of list ExtractRelatives makes, with the values of
// gd_RelationalColType.
enum class RelativesOrder {
    Descendants = 1,
    Ancestors = 2,
    AncestorToDescendant = 3,
    DescendantToAncestor = 4,
    PaternalLine = 5,
    PaternalLineReversed = 6,
    MaternalLine = 7,
    MaternalLineReversed = 8,
    FamilyRoots = 9,
};

// Appends the list of `order` for `individual` to `list`; `ancestor` is the
// other end of the line for the two line orders and is not used otherwise.
// E_OUTOFMEMORY when the list does not fit in memory or in a collection.
HRESULT CollectRelatives(RelativesOrder order, IndividualEntry& individual,
                         IndividualEntry* ancestor, IndividualSequence& list);

// The number of generations above (below) the individual along its longest
// line of parents (children); 0 without parents (children).
int GenerationsOfAncestors(IndividualEntry& individual);
int GenerationsOfDescendants(IndividualEntry& individual);

// Whether `ancestor` is found among the parents of `descendant`, their
// parents and so on; nobody is his own ancestor unless the file loops.
bool IsAncestorOf(IndividualEntry& ancestor, IndividualEntry& descendant);

// The first spouse family of `spouse` whose other partner is `other` (or
// that has no other partner, when `other` is null); null when none is.
FamilyEntry* FamilyOfSpouses(IndividualEntry& spouse, IndividualEntry* other);

}  // namespace kinfold
