#include "records/person/on_demand_records.h"

#include "core/record_host.h"
#include "platform/notifier.h"

namespace kinfold {

void BuildOnDemandRecords(const RecordBase& owner, std::string_view tag, RecordFactory factory,
                          RecordList& list) {
    owner.ForEachSubTag(tag, -1, [&](int32_t position, int32_t& after) {
        RecordBase* record = nullptr;
        if (FAILED(owner.Database()->Loader().ParseSubRecord(factory, position, &record, &after))) {
            ShowMessage("ERROR: GEDCOM file is corrupt. Invalid Reference.");
            return false;
        }
        const bool appended = list.Append(record);
        record->Release();
        return appended;
    });
}

}  // namespace kinfold
