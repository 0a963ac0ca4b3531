#include "assistant/relatives.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "records/person/kinship.h"

namespace kinfold {
namespace {

// A collection counts its items in a 32-bit long.
constexpr uint64_t kLongestList = 0x7FFFFFFF;

enum class Direction { Up, Down };

// One step of a walk: the relative it reaches, and whether as a mother.
struct Step {
    IndividualEntry* individual;
    bool asMother;
};

// Appends the individuals a walk goes on to from `from`, in walk order:
// father, then mother going up; each child of each spouse family going down.
void AppendNextSteps(const IndividualEntry& from, Direction direction,
                     std::vector<Step>& steps) {
    if (direction == Direction::Up) {
        const FamilyEntry* parents = ParentFamilyOf(from);
        if (parents == nullptr) return;
        if (IndividualEntry* father = HusbandOf(*parents)) steps.push_back({father, false});
        if (IndividualEntry* mother = WifeOf(*parents)) steps.push_back({mother, true});
        return;
    }
    ForEachLinkedFamily(from.SpouseFamilyLinks(), [&](const FamilyEntry& family) {
        ForEachChild(family, [&](IndividualEntry& child) { steps.push_back({&child, false}); });
    });
}

// A depth-first walk that keeps, for each individual on its current line,
// the steps still to take from it. It needs no recursion, so a line of any
// length fits.
class LineWalker {
   public:
    struct Frame {
        IndividualEntry* individual;
        size_t nextStep;
        size_t firstStep;
        // What the walk accumulates for this individual.
        uint64_t value;
    };

    explicit LineWalker(Direction direction) : direction_(direction) {}

    void Enter(IndividualEntry& individual, uint64_t value) {
        const size_t first = steps_.size();
        AppendNextSteps(individual, direction_, steps_);
        frames_.push_back({&individual, first, first, value});
    }
    // The next step from the individual at the end of the line; false when
    // none is left. Its steps are the last ones kept: those of individuals
    // entered after it were dropped when the walk left them.
    bool NextStep(Step& step) {
        Frame& top = frames_.back();
        if (top.nextStep >= steps_.size()) return false;
        step = steps_[top.nextStep++];
        return true;
    }
    void Leave() {
        steps_.resize(frames_.back().firstStep);
        frames_.pop_back();
    }
    bool Empty() const { return frames_.empty(); }
    Frame& Top() { return frames_.back(); }
    const std::vector<Frame>& Line() const { return frames_; }

   private:
    Direction direction_;
    std::vector<Step> steps_;
    std::vector<Frame> frames_;
};

uint64_t Saturated(uint64_t value) { return std::min(value, kLongestList + 1); }

// The value of `start` by a fold over the individuals it reaches, each valued
// once, after the individuals it goes on to: a value starts at `initial` and
// takes in the value of each next individual through `absorb`. A step back
// onto the current line (the file loops) ends the fold with false when
// `stopAtLoop`, and is passed over otherwise.
template <class Absorb>
bool Fold(IndividualEntry& start, Direction direction, uint64_t initial, Absorb absorb,
          bool stopAtLoop, uint64_t& value) {
    constexpr uint64_t kOnLine = UINT64_MAX;
    std::unordered_map<const IndividualEntry*, uint64_t> values;
    LineWalker walk(direction);
    values.emplace(&start, kOnLine);
    walk.Enter(start, initial);
    for (;;) {
        Step step;
        if (walk.NextStep(step)) {
            const auto [known, isNew] = values.try_emplace(step.individual, kOnLine);
            if (isNew) {
                walk.Enter(*step.individual, initial);
            } else if (known->second != kOnLine) {
                walk.Top().value = absorb(walk.Top().value, known->second);
            } else if (stopAtLoop) {
                return false;
            }
            continue;
        }
        const uint64_t done = walk.Top().value;
        values[walk.Top().individual] = done;
        walk.Leave();
        if (walk.Empty()) {
            value = done;
            return true;
        }
        walk.Top().value = absorb(walk.Top().value, done);
    }
}

// Every individual reached from `start` in depth-first order, `start` first;
// with `mothersOnly`, only those reached as a mother after `start`. With
// `once`, an individual reached again is passed over with all it leads to.
void ListInWalkOrder(IndividualEntry& start, Direction direction, bool mothersOnly, bool once,
                     IndividualSequence& list) {
    std::unordered_set<const IndividualEntry*> seen;
    std::vector<Step> pending;
    auto pushNextSteps = [&](const IndividualEntry& from) {
        const size_t first = pending.size();
        AppendNextSteps(from, direction, pending);
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(first), pending.end());
    };
    list.push_back(&start);
    if (once) seen.insert(&start);
    pushNextSteps(start);
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        if (once && !seen.insert(step.individual).second) continue;
        if (!mothersOnly || step.asMother) list.push_back(step.individual);
        pushNextSteps(*step.individual);
    }
}

// Lists every line from `start`, or each individual once when the
// individuals it reaches loop; fails when the list could not be counted.
HRESULT ListRelatives(IndividualEntry& start, Direction direction, bool mothersOnly,
                      IndividualSequence& list) {
    uint64_t length = 0;
    const bool loops = !Fold(
        start, direction, 1, [](uint64_t sum, uint64_t next) { return Saturated(sum + next); },
        true, length);
    if (!loops && length > kLongestList) return E_OUTOFMEMORY;
    ListInWalkOrder(start, direction, mothersOnly, loops, list);
    return S_OK;
}

// The line from `from` up to `target` that a depth-first search finds first,
// fathers before mothers, `from` first; empty when `target` is not reached.
// `from` itself counts as reached only with `fromCounts`.
IndividualSequence FindLine(IndividualEntry& from, const IndividualEntry& target,
                            bool fromCounts) {
    auto lineOf = [](const LineWalker& walk) {
        IndividualSequence line;
        for (const LineWalker::Frame& frame : walk.Line()) line.push_back(frame.individual);
        return line;
    };
    std::unordered_set<const IndividualEntry*> seen{&from};
    LineWalker walk(Direction::Up);
    walk.Enter(from, 0);
    if (fromCounts && &from == &target) return lineOf(walk);
    while (!walk.Empty()) {
        Step step;
        if (!walk.NextStep(step)) {
            walk.Leave();
            continue;
        }
        if (step.individual == &target) {
            walk.Enter(*step.individual, 0);
            return lineOf(walk);
        }
        // Whoever was met before led nowhere, or is on the line (a loop).
        if (seen.insert(step.individual).second) walk.Enter(*step.individual, 0);
    }
    return {};
}

// The individual and its fathers (or mothers), each once.
void AppendParentLine(IndividualEntry& start, bool mothers, IndividualSequence& list) {
    std::unordered_set<const IndividualEntry*> seen;
    for (IndividualEntry* person = &start; person != nullptr && seen.insert(person).second;
         person = mothers ? MotherOf(*person) : FatherOf(*person))
        list.push_back(person);
}

int Generations(IndividualEntry& individual, Direction direction) {
    uint64_t depth = 0;
    Fold(
        individual, direction, 0,
        [](uint64_t deepest, uint64_t next) { return std::max(deepest, next + 1); }, false, depth);
    return static_cast<int>(std::min<uint64_t>(depth, INT32_MAX));
}

}  // namespace

HRESULT CollectRelatives(RelativesOrder order, IndividualEntry& individual,
                         IndividualEntry* ancestor, IndividualSequence& list) {
    const size_t start = list.size();
    switch (order) {
        case RelativesOrder::Descendants:
            return ListRelatives(individual, Direction::Down, false, list);
        case RelativesOrder::Ancestors:
            return ListRelatives(individual, Direction::Up, false, list);
        case RelativesOrder::FamilyRoots:
            return ListRelatives(individual, Direction::Up, true, list);
        case RelativesOrder::AncestorToDescendant:
        case RelativesOrder::DescendantToAncestor: {
            if (ancestor == nullptr) return E_INVALIDARG;
            IndividualSequence line = FindLine(individual, *ancestor, true);
            if (order == RelativesOrder::AncestorToDescendant)
                std::reverse(line.begin(), line.end());
            list.insert(list.end(), line.begin(), line.end());
            return S_OK;
        }
        case RelativesOrder::PaternalLine:
        case RelativesOrder::MaternalLine:
            AppendParentLine(individual, order == RelativesOrder::MaternalLine, list);
            return S_OK;
        case RelativesOrder::PaternalLineReversed:
        case RelativesOrder::MaternalLineReversed:
            AppendParentLine(individual, order == RelativesOrder::MaternalLineReversed, list);
            std::reverse(list.begin() + static_cast<std::ptrdiff_t>(start), list.end());
            return S_OK;
    }
    return E_INVALIDARG;
}

int GenerationsOfAncestors(IndividualEntry& individual) {
    return Generations(individual, Direction::Up);
}

int GenerationsOfDescendants(IndividualEntry& individual) {
    return Generations(individual, Direction::Down);
}

bool IsAncestorOf(IndividualEntry& ancestor, IndividualEntry& descendant) {
    return !FindLine(descendant, ancestor, false).empty();
}

FamilyEntry* FamilyOfSpouses(IndividualEntry& spouse, IndividualEntry* other) {
    for (const FamilyLinkLine& link : spouse.SpouseFamilyLinks()) {
        FamilyEntry* family = FamilyOfLink(&link);
        if (family == nullptr) continue;
        const IndividualEntry* husband = HusbandOf(*family);
        const IndividualEntry* wife = WifeOf(*family);
        if ((husband == &spouse && wife == other) || (wife == &spouse && husband == other))
            return family;
    }
    return nullptr;
}

}  // namespace kinfold
