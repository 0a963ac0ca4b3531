#include "db/confidentiality.h"

#include <ctime>
#include <vector>

#include "db/gedcom_db.h"
#include "records/person/kinship.h"

namespace kinfold {
namespace {

// The states of person records, and the answers of the tests below.
constexpr int32_t kOld = 0;
constexpr int32_t kRecent = 1;
constexpr int32_t kUndecided = 2;

int32_t StateOf(const IndividualEntry& individual) { return individual.ConfidentialState(); }

IndividualEntry& IndividualAt(RecordBase* record) {
    return static_cast<IndividualEntry&>(*record);
}

// One run of the inference with cutoff year Y: whoever was born after Y is
// recent. The thresholds move Y by the usual spans between generations: a
// mother born after Y - 25 has a child born after Y, and so on.
class Inference {
   public:
    explicit Inference(int64_t cutoff) : y_(cutoff) {}

    // Decides `person` if still undecided, spreading a decision to the
    // relatives it implies.
    void Infer(IndividualEntry& person) {
        if (StateOf(person) != kUndecided) return;
        const int32_t decided = Decide(person);
        if (decided == kOld) SpreadOld(person);
        if (decided == kRecent) SpreadRecent(person);
    }

   private:
    // kUndecided when there is no event or its date gives no evidence.
    static int32_t After(const SubLine& event, int64_t threshold) {
        const int64_t year = YearOf(event);
        return year == 0 ? kUndecided : (year > threshold ? kRecent : kOld);
    }
    static int32_t NotBefore(const SubLine& event, int64_t threshold) {
        const int64_t year = YearOf(event);
        return year == 0 ? kUndecided : (year >= threshold ? kRecent : kOld);
    }
    static int64_t YearOf(const SubLine& event) {
        return event ? EvidenceYear(event.ReadTagValue("DATE")) : 0;
    }

    int32_t Decide(IndividualEntry& person);
    int32_t DecideByParent(const IndividualEntry* parent) const;
    int32_t DecideBySpouseFamily(const FamilyEntry& family) const;
    int32_t DecideBySiblings(const IndividualEntry& person, const FamilyEntry& parents,
                             bool& older) const;
    int32_t DecideByParentsSiblings(const FamilyEntry& parents) const;
    int32_t Aunt(const IndividualEntry& aunt) const;

    static void SpreadOld(IndividualEntry& person);
    static void SpreadRecent(IndividualEntry& person);

    int64_t y_;
};

// The first rule that decides ends the search, so when two relatives point
// different ways the one examined first wins.
int32_t Inference::Decide(IndividualEntry& person) {
    const int32_t born = After(person.Birth(), y_);
    if (born != kUndecided) return born;
    if (NotBefore(person.Death(), y_) == kOld) return kOld;
    for (const IndividualEntry* parent : {MotherOf(person), FatherOf(person)}) {
        const int32_t decided = DecideByParent(parent);
        if (decided != kUndecided) return decided;
    }
    for (const FamilyLinkLine& link : person.SpouseFamilyLinks()) {
        const FamilyEntry* family = FamilyOfLink(&link);
        const int32_t decided = family != nullptr ? DecideBySpouseFamily(*family) : kUndecided;
        if (decided != kUndecided) return decided;
    }
    // Siblings before the person are older, those after younger, across
    // every family the person is a child in.
    bool older = true;
    for (const FamilyLinkLine& link : person.ChildFamilyLinks()) {
        const FamilyEntry* family = FamilyOfLink(&link);
        const int32_t decided =
            family != nullptr ? DecideBySiblings(person, *family, older) : kUndecided;
        if (decided != kUndecided) return decided;
    }
    for (const FamilyLinkLine& link : person.ChildFamilyLinks()) {
        const FamilyEntry* family = FamilyOfLink(&link);
        const int32_t decided = family != nullptr ? DecideByParentsSiblings(*family) : kUndecided;
        if (decided != kUndecided) return decided;
    }
    return kUndecided;
}

int32_t Inference::DecideByParent(const IndividualEntry* parent) const {
    if (parent == nullptr) return kUndecided;
    if (After(parent->Birth(), y_ - 25) == kRecent) return kRecent;
    if (NotBefore(parent->Death(), y_) == kOld) return kOld;
    return kUndecided;
}

// The person is undecided, so a decided partner here is the spouse.
int32_t Inference::DecideBySpouseFamily(const FamilyEntry& family) const {
    for (const IndividualEntry* partner : {WifeOf(family), HusbandOf(family)}) {
        if (partner != nullptr && StateOf(*partner) != kUndecided) return StateOf(*partner);
    }
    if (NotBefore(family.Married(), y_ + 15) == kOld) return kOld;
    if (After(family.Married(), y_ + 25) == kRecent) return kRecent;
    for (const IndividualLine& line : family.Children()) {
        const IndividualEntry* child = IndividualOfPointer(&line);
        if (child == nullptr) continue;
        if (StateOf(*child) == kOld) return kOld;
        if (After(child->Birth(), y_ + 15) == kRecent) return kRecent;
        if (NotBefore(child->Death(), y_ + 15) == kOld) return kOld;
    }
    return kUndecided;
}

int32_t Inference::DecideBySiblings(const IndividualEntry& person, const FamilyEntry& parents,
                                    bool& older) const {
    if (NotBefore(parents.Married(), y_ + 25) == kOld) return kOld;
    if (After(parents.Married(), y_) == kRecent) return kRecent;
    for (const IndividualLine& line : parents.Children()) {
        const IndividualEntry* sibling = IndividualOfPointer(&line);
        if (sibling == nullptr) continue;
        if (StateOf(*sibling) != kUndecided) return StateOf(*sibling);
        if (sibling == &person) {
            older = false;
            continue;
        }
        if (older) {
            if (After(sibling->Birth(), y_) == kRecent) return kRecent;
            if (NotBefore(sibling->Death(), y_ - 25) == kOld) return kOld;
        } else {
            if (NotBefore(sibling->Birth(), y_) == kOld) return kOld;
            if (After(sibling->Death(), y_ - 25) == kRecent) return kRecent;
        }
    }
    return kUndecided;
}

// The brothers and sisters of the father, then of the mother, through every
// family each parent is a child in.
int32_t Inference::DecideByParentsSiblings(const FamilyEntry& parents) const {
    for (const IndividualEntry* parent : {HusbandOf(parents), WifeOf(parents)}) {
        if (parent == nullptr) continue;
        for (const FamilyLinkLine& link : parent->ChildFamilyLinks()) {
            const FamilyEntry* grandparents = FamilyOfLink(&link);
            if (grandparents == nullptr) continue;
            for (const IndividualLine& line : grandparents->Children()) {
                const IndividualEntry* aunt = IndividualOfPointer(&line);
                if (aunt == nullptr || aunt == parent) continue;
                if (Aunt(*aunt) == kOld) return kOld;
            }
        }
    }
    return kUndecided;
}

// A parent's brother or sister can only show that the person is old: by
// their own dates, or by those of their spouses and children.
int32_t Inference::Aunt(const IndividualEntry& aunt) const {
    auto bornLongAgo = [this](const IndividualEntry& someone, int64_t threshold) {
        return NotBefore(someone.Birth(), threshold) == kOld ||
               NotBefore(someone.Death(), threshold) == kOld;
    };
    if (bornLongAgo(aunt, y_ - 50)) return kOld;
    for (const FamilyLinkLine& link : aunt.SpouseFamilyLinks()) {
        const FamilyEntry* family = FamilyOfLink(&link);
        if (family == nullptr) continue;
        for (const IndividualEntry* partner : {HusbandOf(*family), WifeOf(*family)}) {
            if (partner != nullptr && partner != &aunt && bornLongAgo(*partner, y_ - 60))
                return kOld;
        }
        for (const IndividualLine& line : family->Children()) {
            const IndividualEntry* cousin = IndividualOfPointer(&line);
            if (cousin != nullptr && bornLongAgo(*cousin, y_ - 60)) return kOld;
        }
    }
    return kUndecided;
}

// Gives `state` to `person` and to every undecided relative that
// `appendNext` leads to through undecided ones. Kept on a list rather than
// recursion, for lines of any length.
template <class AppendNext>
void Spread(IndividualEntry& person, int32_t state, AppendNext appendNext) {
    std::vector<IndividualEntry*> pending{&person};
    while (!pending.empty()) {
        IndividualEntry& next = *pending.back();
        pending.pop_back();
        if (StateOf(next) != kUndecided) continue;
        next.SpreadConfidentialState(state);
        appendNext(next, pending);
    }
}

// Whoever is old has old parents: the decision climbs to every undecided
// ancestor.
void Inference::SpreadOld(IndividualEntry& person) {
    Spread(person, kOld, [](const IndividualEntry& next, auto& pending) {
        ForEachLinkedFamily(next.ChildFamilyLinks(), [&](const FamilyEntry& family) {
            for (IndividualEntry* parent : {WifeOf(family), HusbandOf(family)}) {
                if (parent != nullptr) pending.push_back(parent);
            }
        });
    });
}

// Whoever is recent has recent children, and their spouses are taken as
// recent too: the decision descends to every undecided descendant.
void Inference::SpreadRecent(IndividualEntry& person) {
    Spread(person, kRecent, [](const IndividualEntry& next, auto& pending) {
        ForEachLinkedFamily(next.SpouseFamilyLinks(), [&](const FamilyEntry& family) {
            for (IndividualEntry* partner : {HusbandOf(family), WifeOf(family)}) {
                if (partner != nullptr) pending.push_back(partner);
            }
            ForEachChild(family, [&](IndividualEntry& child) { pending.push_back(&child); });
        });
    });
}

}  // namespace

int64_t EvidenceYear(std::string_view date) {
    const size_t blank = date.rfind(' ');
    std::string_view word =
        blank == std::string_view::npos || blank == 0 ? date : date.substr(blank + 1);
    // Read as C's atoi reads: leading white space, a sign, then digits.
    size_t at = 0;
    while (at < word.size() && (word[at] == ' ' || (word[at] >= '\t' && word[at] <= '\r'))) ++at;
    const bool negative = at < word.size() && word[at] == '-';
    if (at < word.size() && (word[at] == '-' || word[at] == '+')) ++at;
    // Digits past the ninth are not read: no calendar year needs them, and
    // the number cannot overflow.
    int64_t year = 0;
    for (; at < word.size() && word[at] >= '0' && word[at] <= '9' && year < 100000000; ++at)
        year = year * 10 + (word[at] - '0');
    return !negative && year >= 1001 ? year : 0;
}

void DecideConfidentiality(GEDCOMdb& database, int64_t cutoffYear) {
    ClearConfidentiality(database);
    Inference inference(cutoffYear);
    std::vector<IndividualEntry*> undecided;
    for (RecordBase* record : database.IndividualStore()) {
        IndividualEntry& individual = IndividualAt(record);
        inference.Infer(individual);
        if (StateOf(individual) == kUndecided) undecided.push_back(&individual);
    }
    // Decisions made later in the first pass may now decide the others.
    for (IndividualEntry* individual : undecided) inference.Infer(*individual);
    if (database.Options().defaultConfidentialValue == 0) return;
    for (RecordBase* record : database.IndividualStore()) {
        IndividualEntry& individual = IndividualAt(record);
        if (StateOf(individual) == kUndecided) individual.SpreadConfidentialState(kRecent);
    }
}

void ClearConfidentiality(GEDCOMdb& database) {
    for (RecordBase* record : database.IndividualStore())
        IndividualAt(record).SpreadConfidentialState(kUndecided);
}

int64_t CurrentLocalYear() {
    const std::time_t now = std::time(nullptr);
    // Calls come one at a time on the database's thread, so the shared
    // result of localtime is safe here.
    const std::tm* local = std::localtime(&now);
    return local != nullptr ? local->tm_year + 1900 : 1970;
}

}  // namespace kinfold
