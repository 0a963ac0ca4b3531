#include "core/record_factory.h"

namespace kinfold {

bool AppendNewChild(RecordKind kind, RecordList& list, RecordBase** child) {
    *child = nullptr;
    RecordBase* created = nullptr;
    if (FAILED(CreateRecord(kind, &created))) return false;
    const bool appended = list.Append(created);
    created->Release();
    if (appended) *child = created;
    return appended;
}

}  // namespace kinfold
