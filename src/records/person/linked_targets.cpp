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

std::unique_ptr<RecordList> TargetsOf(const GDFamilyRecord::IndividualLines& lines) {
    std::unique_ptr<RecordList> targets(new (std::nothrow) RecordList);
    if (targets == nullptr) return nullptr;
    for (const IndividualLine& line : lines) {
        RecordBase* target = line.Target();
        if (target != nullptr && !targets->Append(target)) return nullptr;
    }
    return targets;
}

}  // namespace kinfold
