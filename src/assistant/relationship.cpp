#include "assistant/relationship.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/fixed_string.h"
#include "records/person/kinship.h"

namespace kinfold {
namespace {

// How a child belongs to the family of its parents, from the PEDI line of its
// FAMC link; any other pedigree (birth, sealing, none) counts as birth.
enum class Linkage { Birth, Adopted, Foster };

Linkage LinkageOf(const FamilyLinkLine& link) {
    const std::string_view pedigree = link.WrittenPedigree();
    if (EqualsIgnoringAsciiCase(pedigree, "adopted")) return Linkage::Adopted;
    if (EqualsIgnoringAsciiCase(pedigree, "foster")) return Linkage::Foster;
    return Linkage::Birth;
}

char SexOf(const IndividualEntry& individual) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(individual.Sex())));
}

std::string Gendered(char sex, const char* male, const char* female, const char* unknown) {
    return sex == 'M' ? male : sex == 'F' ? female : unknown;
}

// Calls `visit(parent, family, linkage)` for each partner of each family
// `child` is a child of, in link order, father before mother.
template <class Visit>
void ForEachParent(const IndividualEntry& child, Visit visit) {
    for (const FamilyLinkLine& link : child.ChildFamilyLinks()) {
        FamilyEntry* family = FamilyOfLink(&link);
        if (family == nullptr) continue;
        const Linkage linkage = LinkageOf(link);
        if (IndividualEntry* father = HusbandOf(*family)) visit(*father, *family, linkage);
        if (IndividualEntry* mother = WifeOf(*family)) visit(*mother, *family, linkage);
    }
}

// Calls `visit(partner, family)` for the other partner of each family
// `individual` is a spouse in.
template <class Visit>
void ForEachSpouse(IndividualEntry& individual, Visit visit) {
    ForEachLinkedFamily(individual.SpouseFamilyLinks(), [&](FamilyEntry& family) {
        for (IndividualEntry* partner : {HusbandOf(family), WifeOf(family)})
            if (partner != nullptr && partner != &individual) visit(*partner, family);
    });
}

IndividualSequence ParentsOf(const IndividualEntry& child) {
    IndividualSequence parents;
    ForEachParent(child, [&](IndividualEntry& parent, FamilyEntry&, Linkage) {
        parents.push_back(&parent);
    });
    return parents;
}

IndividualSequence SpousesOf(IndividualEntry& individual) {
    IndividualSequence spouses;
    ForEachSpouse(individual,
                  [&](IndividualEntry& spouse, FamilyEntry&) { spouses.push_back(&spouse); });
    return spouses;
}

// The other children of the families `individual` is a child of.
IndividualSequence SiblingsOf(IndividualEntry& individual) {
    IndividualSequence siblings;
    ForEachLinkedFamily(individual.ChildFamilyLinks(), [&](const FamilyEntry& family) {
        ForEachChild(family, [&](IndividualEntry& child) {
            if (&child != &individual) siblings.push_back(&child);
        });
    });
    return siblings;
}

bool Contains(const IndividualSequence& list, const IndividualEntry* individual) {
    return std::find(list.begin(), list.end(), individual) != list.end();
}

// An ancestor met by the upward search: how many generations up, the
// individual one generation nearer the start and the family joining them
// (both null for the start), and whether an adoption or fostering lies on
// the way.
struct Reach {
    int generations;
    IndividualEntry* below;
    FamilyEntry* family;
    Linkage linkage;
};

// The ancestors of an individual, the individual included, each by its
// nearest line; `order` keeps them in the order met, fathers before mothers.
struct Ancestry {
    std::unordered_map<const IndividualEntry*, Reach> reach;
    IndividualSequence order;
};

// Breadth-first, so each ancestor is first met by a shortest line; an
// ancestor met again (pedigree collapse, or a file that loops) is not walked
// twice.
Ancestry AncestorsOf(IndividualEntry& start) {
    Ancestry found;
    found.reach.emplace(&start, Reach{0, nullptr, nullptr, Linkage::Birth});
    found.order.push_back(&start);
    size_t levelBegin = 0;
    for (int generation = 1; generation <= kRelationshipGenerations; ++generation) {
        const size_t levelEnd = found.order.size();
        if (levelBegin == levelEnd) break;
        for (size_t i = levelBegin; i < levelEnd; ++i) {
            IndividualEntry* child = found.order[i];
            const Linkage below = found.reach.at(child).linkage;
            ForEachParent(*child, [&](IndividualEntry& parent, FamilyEntry& family,
                                      Linkage linkage) {
                const Linkage onLine = below != Linkage::Birth ? below : linkage;
                if (found.reach.emplace(&parent, Reach{generation, child, &family, onLine}).second)
                    found.order.push_back(&parent);
            });
        }
        levelBegin = levelEnd;
    }
    return found;
}

// From the start of `ancestry` up to `ancestor`, both included.
IndividualSequence LineUpTo(const Ancestry& ancestry, IndividualEntry* ancestor) {
    IndividualSequence line;
    for (IndividualEntry* at = ancestor; at != nullptr; at = ancestry.reach.at(at).below)
        line.push_back(at);
    std::reverse(line.begin(), line.end());
    return line;
}

std::string Ordinal(int n) {
    static const char* const kWords[] = {
        "",           "first",      "second",     "third",     "fourth",    "fifth",
        "sixth",      "seventh",    "eighth",     "ninth",     "tenth",     "eleventh",
        "twelfth",    "thirteenth", "fourteenth", "fifteenth", "sixteenth", "seventeenth",
        "eighteenth", "nineteenth", "twentieth"};
    if (n < static_cast<int>(std::size(kWords))) return kWords[n];
    const int lastTwo = n % 100;
    const char* suffix = lastTwo >= 11 && lastTwo <= 13 ? "th"
                         : n % 10 == 1                  ? "st"
                         : n % 10 == 2                  ? "nd"
                         : n % 10 == 3                  ? "rd"
                                                        : "th";
    return std::to_string(n) + suffix;
}

// "great-" once, then "second great-", "third great-", ...
std::string Greats(int count) {
    if (count <= 0) return "";
    if (count == 1) return "great-";
    return Ordinal(count) + " great-";
}

// "once", "twice", "three times", ...; past twelve in digits.
std::string Times(int n) {
    static const char* const kWords[] = {"",     "once",   "twice", "three", "four",
                                         "five", "six",    "seven", "eight", "nine",
                                         "ten",  "eleven", "twelve"};
    if (n <= 2) return kWords[n];
    return (n < static_cast<int>(std::size(kWords)) ? std::string(kWords[n]) : std::to_string(n)) +
           " times";
}

// The relations through the nearest common ancestors: those whose lines
// down to the two individuals meet nowhere else. An ancestor whose lines
// share a child has a nearer common ancestor below it, but pedigree collapse
// may relate the two again through another ancestor. A couple reached
// through the same children on both sides is one relation.
void AddBloodRelations(IndividualEntry& from, IndividualEntry& to,
                       std::vector<Relation>& relations) {
    const Ancestry up = AncestorsOf(from);
    const Ancestry down = AncestorsOf(to);
    struct Group {
        const Reach* fromSide;
        const Reach* toSide;
        IndividualSequence ancestors;
        IndividualSequence path;
    };
    std::vector<Group> groups;
    for (IndividualEntry* candidate : up.order) {
        const auto toReach = down.reach.find(candidate);
        if (toReach == down.reach.end()) continue;
        IndividualSequence path = LineUpTo(up, candidate);
        const IndividualSequence descent = LineUpTo(down, candidate);
        const bool meetBelow = std::any_of(path.begin(), path.end() - 1, [&](auto* individual) {
            return std::find(descent.begin(), descent.end() - 1, individual) != descent.end() - 1;
        });
        if (meetBelow) continue;
        const Reach& fromSide = up.reach.at(candidate);
        const Reach& toSide = toReach->second;
        auto same = [&](const Group& group) {
            return group.fromSide->below == fromSide.below &&
                   group.fromSide->family == fromSide.family &&
                   group.toSide->below == toSide.below && group.toSide->family == toSide.family;
        };
        auto group = std::find_if(groups.begin(), groups.end(), same);
        if (group != groups.end()) {
            group->ancestors.push_back(candidate);
            continue;
        }
        path.insert(path.end(), descent.rbegin() + 1, descent.rend());
        groups.push_back({&fromSide, &toSide, {candidate}, std::move(path)});
    }
    for (const Group& group : groups) {
        const Reach& fromSide = *group.fromSide;
        const Reach& toSide = *group.toSide;
        Relation relation;
        relation.name = BloodRelationName(fromSide.generations, toSide.generations, SexOf(from));
        const bool half = fromSide.family != nullptr && toSide.family != nullptr &&
                          fromSide.family != toSide.family;
        const bool adopted =
            fromSide.linkage == Linkage::Adopted || toSide.linkage == Linkage::Adopted;
        const bool fostered =
            fromSide.linkage == Linkage::Foster || toSide.linkage == Linkage::Foster;
        if (adopted) {
            relation.kind = "adoptive";
            relation.name = "adoptive " + relation.name;
        } else if (fostered) {
            relation.kind = "foster";
            relation.name = "foster " + relation.name;
        } else if (half) {
            relation.kind = "half";
            // "half-sister", but "half great-uncle", "half first cousin".
            const bool oneWord = relation.name.find_first_of(" -") == std::string::npos;
            relation.name = (oneWord ? "half-" : "half ") + relation.name;
        } else {
            relation.kind = "blood";
        }
        relation.commonAncestors = group.ancestors;
        relation.path = group.path;
        relations.push_back(std::move(relation));
    }
}

void AddRelation(std::vector<Relation>& relations, std::string name, const char* kind,
                 IndividualSequence common, IndividualSequence path) {
    relations.push_back({std::move(name), kind, std::move(common), std::move(path)});
}

// The relations of one marriage: spouses, in-laws and step relations, each
// through a spouse, a parent, a child or a sibling of one of the two.
void AddMarriageRelations(IndividualEntry& from, IndividualEntry& to,
                          std::vector<Relation>& relations) {
    const char sex = SexOf(from);
    const IndividualSequence fromParents = ParentsOf(from);
    const IndividualSequence toParents = ParentsOf(to);
    const IndividualSequence fromSpouses = SpousesOf(from);
    const IndividualSequence toSpouses = SpousesOf(to);
    if (Contains(fromSpouses, &to))
        AddRelation(relations, Gendered(sex, "husband", "wife", "spouse"), "spouse", {&from, &to},
                    {&from, &to});
    for (IndividualEntry* spouse : toSpouses) {
        if (spouse == &from) continue;
        if (Contains(ParentsOf(*spouse), &from))
            AddRelation(relations, Gendered(sex, "father-in-law", "mother-in-law", "parent-in-law"),
                        "in-law", {spouse, &to}, {&from, spouse, &to});
        if (Contains(SiblingsOf(*spouse), &from))
            AddRelation(relations,
                        Gendered(sex, "brother-in-law", "sister-in-law", "sibling-in-law"),
                        "in-law", {spouse, &to}, {&from, spouse, &to});
    }
    for (IndividualEntry* spouse : fromSpouses) {
        if (spouse == &to) continue;
        if (Contains(ParentsOf(*spouse), &to))
            AddRelation(relations, Gendered(sex, "son-in-law", "daughter-in-law", "child-in-law"),
                        "in-law", {&from, spouse}, {&from, spouse, &to});
        if (Contains(SiblingsOf(*spouse), &to))
            AddRelation(relations,
                        Gendered(sex, "brother-in-law", "sister-in-law", "sibling-in-law"),
                        "in-law", {&from, spouse}, {&from, spouse, &to});
    }
    if (!Contains(toParents, &from)) {
        for (IndividualEntry* parent : toParents)
            if (Contains(fromSpouses, parent))
                AddRelation(relations, Gendered(sex, "stepfather", "stepmother", "stepparent"),
                            "step", {&from, parent}, {&from, parent, &to});
    }
    if (!Contains(fromParents, &to)) {
        for (IndividualEntry* parent : fromParents)
            if (Contains(toSpouses, parent))
                AddRelation(relations, Gendered(sex, "stepson", "stepdaughter", "stepchild"),
                            "step", {parent, &to}, {&from, parent, &to});
    }
    const bool shareParent = std::any_of(fromParents.begin(), fromParents.end(),
                                         [&](auto* parent) { return Contains(toParents, parent); });
    if (shareParent) return;
    for (IndividualEntry* parent : fromParents) {
        if (Contains(toParents, parent)) continue;
        ForEachSpouse(*parent, [&](IndividualEntry& partner, FamilyEntry&) {
            if (Contains(toParents, &partner) && !Contains(fromParents, &partner))
                AddRelation(relations, Gendered(sex, "stepbrother", "stepsister", "stepsibling"),
                            "step", {parent, &partner}, {&from, parent, &partner, &to});
        });
    }
}

bool ByMarriage(const Relation& relation) {
    return relation.kind == "step" || relation.kind == "in-law" || relation.kind == "spouse";
}

}  // namespace

std::string BloodRelationName(int up, int down, char sex) {
    if (up == 0) {
        if (down == 1) return Gendered(sex, "father", "mother", "parent");
        return Greats(down - 2) + Gendered(sex, "grandfather", "grandmother", "grandparent");
    }
    if (down == 0) {
        if (up == 1) return Gendered(sex, "son", "daughter", "child");
        return Greats(up - 2) + Gendered(sex, "grandson", "granddaughter", "grandchild");
    }
    if (up == 1 && down == 1) return Gendered(sex, "brother", "sister", "sibling");
    if (up == 1) return Greats(down - 2) + Gendered(sex, "uncle", "aunt", "uncle or aunt");
    if (down == 1) {
        if (up == 2) return Gendered(sex, "nephew", "niece", "nephew or niece");
        return Greats(up - 3) +
               Gendered(sex, "grandnephew", "grandniece", "grandnephew or grandniece");
    }
    std::string name = Ordinal(std::min(up, down) - 1) + " cousin";
    const int removed = up > down ? up - down : down - up;
    if (removed > 0) name += " " + Times(removed) + " removed";
    return name;
}

std::vector<Relation> FindRelations(IndividualEntry& from, IndividualEntry& to) {
    std::vector<Relation> relations;
    if (&from == &to) return relations;
    AddBloodRelations(from, to, relations);
    AddMarriageRelations(from, to, relations);
    std::stable_sort(relations.begin(), relations.end(), [](const Relation& a, const Relation& b) {
        if (a.path.size() != b.path.size()) return a.path.size() < b.path.size();
        return !ByMarriage(a) && ByMarriage(b);
    });
    // A relation found again by another line (double cousins, a spouse's
    // sibling who is also a sibling's spouse) is listed once, by its closest.
    std::vector<Relation> distinct;
    for (Relation& relation : relations) {
        const bool seen = std::any_of(distinct.begin(), distinct.end(), [&](const Relation& kept) {
            return kept.name == relation.name && kept.kind == relation.kind;
        });
        if (!seen) distinct.push_back(std::move(relation));
    }
    return distinct;
}

}  // namespace kinfold
