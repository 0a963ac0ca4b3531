#include "records/person/on_demand_records.h"

#include "core/record_host.h"
#include "platform/notifier.h"

namespace kinfold {

void BuildOnDemandRecords(const RecordBase& owner, std::string_view tag, RecordFactory factory,
                          RecordList& list) {
    int32_t position = owner.Position();
    if (!owner.FindSubTag(tag, position, false)) return;
    for (;;) {
        RecordBase* record = nullptr;
        int32_t after = position;
        if (FAILED(owner.Database()->Loader().ParseSubRecord(factory, position, &record, &after))) {
            ShowMessage("ERROR: GEDCOM file is corrupt. Invalid Reference.");
            return;
        }
        const bool appended = list.Append(record);
        record->Release();
        if (!appended) return;
        position = after;
        if (!owner.FindNextTag(tag, position, owner.Level())) return;
    }
}

}  // namespace kinfold
