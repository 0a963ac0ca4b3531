#include "records/person/linked_targets.h"

#include <new>

namespace kinfold {

std::unique_ptr<RecordList> TargetsOf(const RecordList& pointers) {
    std::unique_ptr<RecordList> targets(new (std::nothrow) RecordList);
    if (targets == nullptr) return nullptr;
    for (RecordBase* pointer : pointers) {
        RecordBase* target = pointer->Target();
        if (target != nullptr && !targets->Append(target)) return nullptr;
    }
    return targets;
}

namespace {

// The targets of lines kept by value, in order.
template <class Lines>
std::unique_ptr<RecordList> TargetsOfLines(const Lines& lines) {
    std::unique_ptr<RecordList> targets(new (std::nothrow) RecordList);
    if (targets == nullptr) return nullptr;
    for (const auto& line : lines) {
        RecordBase* target = line.Target();
        if (target != nullptr && !targets->Append(target)) return nullptr;
    }
    return targets;
}

}  // namespace

std::unique_ptr<RecordList> TargetsOf(const FamilyEntry::IndividualLines& lines) {
    return TargetsOfLines(lines);
}

std::unique_ptr<RecordList> TargetsOf(const FamilyLinkList& lines) { return TargetsOfLines(lines); }

}  // namespace kinfold
