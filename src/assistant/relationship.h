// How one individual is related to another: by blood through the common
// ancestors nearest to both, by marriage through a spouse, a parent's spouse
// or a sibling's spouse. Works on the links resolved while loading.
#pragma once

#include <string>
#include <vector>

#include "assistant/individual_sequence.h"

namespace kinfold {

struct Relation {
    // What the first individual is to the second ("first cousin once
    // removed", "stepmother").
    std::string name;
    // "blood", "half", "step", "in-law", "spouse", "adoptive" or "foster".
    std::string kind;
    // The nearest common ancestors, or the couple whose marriage relates them.
    IndividualSequence commonAncestors;
    // From the first individual to the second, both included.
    IndividualSequence path;
};

// The distinct relations of `from` to `to`, closest first (fewest steps,
// blood before marriage); none when they are the same individual or
// unrelated. Ancestors are searched up to `kRelationshipGenerations`
// generations on each side, and every walk ends in files that loop.
constexpr int kRelationshipGenerations = 30;
std::vector<Relation> FindRelations(IndividualEntry& from, IndividualEntry& to);

// The English name of the blood relation of someone `up` generations below
// a common ancestor to someone `down` generations below it, for the sex
// `sex` ('M', 'F' or other) of the first.
std::string BloodRelationName(int up, int down, char sex);

}  // namespace kinfold
