#include "records/person/on_demand_records.h"

#include <vector>

#include "core/fixed_string.h"
#include "core/gedcom_line.h"
#include "core/gedcom_reader.h"
#include "core/record_host.h"
#include "platform/notifier.h"

namespace kinfold {
namespace {

bool InTable(TagTable table, std::string_view tag) {
    for (size_t i = 0; i < table.count; ++i)
        if (TextEquals(table.tags[i], tag)) return true;
    return false;
}

// The positions of the wanted lines directly under the owner's line, found
// first because building a record moves the reader.
std::vector<int32_t> TableLines(const RecordBase& owner, TagTable table, const std::string* only) {
    std::vector<int32_t> positions;
    if (owner.Database() == nullptr || owner.Position() == -1) return positions;
    GedcomReader& reader = owner.Database()->Reader();
    GedcomLine line;
    if (FAILED(reader.Seek(static_cast<uint32_t>(owner.Position()))) ||
        !reader.ReadContentLine(line))
        return positions;
    const int16_t level = line.Level();
    while (reader.ReadContentLine(line) && line.Level() > level) {
        if (line.Level() != level + 1 || !InTable(table, line.Tag())) continue;
        if (only == nullptr || line.Tag() == *only) positions.push_back(line.Position());
    }
    return positions;
}

}  // namespace

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

void BuildTableRecords(const RecordBase& owner, TagTable table, RecordFactory factory,
                       RecordList& list, const std::string* only) {
    for (int32_t position : TableLines(owner, table, only)) {
        RecordBase* record = nullptr;
        if (FAILED(owner.Database()->Loader().ParseSubRecord(factory, position, &record, nullptr))) {
            ShowMessage("ERROR: GEDCOM file is corrupt. Invalid Reference.");
            return;
        }
        const bool appended = list.Append(record);
        record->Release();
        if (!appended) return;
    }
}

}  // namespace kinfold
