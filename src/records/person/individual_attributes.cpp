// An individual's attributes (occupation, residence, FACT lines, ...): not
// kept from loading, but made from the file again at every read.
#include <new>
#include <vector>

#include "access/collections.h"
#include "core/gedcom_line.h"
#include "core/gedcom_loader.h"
#include "core/gedcom_reader.h"
#include "core/record_host.h"
#include "platform/notifier.h"
#include "records/person/event_filter.h"
#include "records/person/fact_event_tables.h"
#include "records/person/first_sub_record.h"
#include "records/person/individual_record.h"

namespace kinfold {
namespace {

// The lines directly under the individual's line with a tag of the attribute
// table, in file order. Positions are gathered first because building an
// attribute moves the reader.
std::vector<int32_t> AttributeLines(const RecordBase& individual) {
    std::vector<int32_t> positions;
    if (individual.Database() == nullptr || individual.Position() == -1) return positions;
    GedcomReader& reader = individual.Database()->Reader();
    GedcomLine line;
    if (FAILED(reader.Seek(static_cast<uint32_t>(individual.Position()))) ||
        !reader.ReadContentLine(line))
        return positions;
    const int16_t level = line.Level();
    while (reader.ReadContentLine(line) && line.Level() > level) {
        if (line.Level() == level + 1 && InTagTable(kIndividualAttributeTags, line.Tag()))
            positions.push_back(line.Position());
    }
    return positions;
}

// Like the other on-demand lists, an attribute that cannot be made is
// reported once and ends the list; those before it are kept.
void BuildAttributes(const RecordBase& individual, RecordList& attributes) {
    for (int32_t position : AttributeLines(individual)) {
        RecordBase* attribute = nullptr;
        if (FAILED(individual.Database()->Loader().ParseSubRecord(
                &CreateRecordOf<RecordKind::FactEvent>, position, &attribute, nullptr))) {
            ShowMessage("ERROR: GEDCOM file is corrupt. Invalid Reference.");
            return;
        }
        const bool appended = attributes.Append(attribute);
        attribute->Release();
        if (!appended) return;
    }
}

}  // namespace

HRESULT GDIndividualRecord::get_Attributes(VARIANT Tag, IGDFactEvents** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    bool filtered = false;
    std::string filter;
    hr = ReadTagFilter(Tag, filtered, filter);
    if (FAILED(hr)) return hr;
    std::unique_ptr<RecordList> attributes(new (std::nothrow) RecordList);
    if (attributes != nullptr && !IsConfidential()) BuildAttributes(*this, *attributes);
    if (filtered && attributes != nullptr) attributes = EventsOfType(*attributes, filter);
    return MakeBuiltCollection(pVal, std::move(attributes));
}

}  // namespace kinfold
