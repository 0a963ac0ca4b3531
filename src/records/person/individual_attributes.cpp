// An individual's attributes (occupation, residence, FACT lines, ...) and
// LDS ordinances: not kept from loading, but made from the file again at
// every read.
#include <new>

#include "access/collections.h"
#include "records/person/event_filter.h"
#include "records/person/fact_event_tables.h"
#include "records/person/individual_record.h"
#include "records/person/on_demand_records.h"

namespace kinfold {
namespace {

// Builds the lines of `table` under the individual into a new collection;
// `build` is given the Tag argument's text, or null when it was omitted. A
// confidential individual gives an empty collection.
template <class CollectionIface, class Build>
HRESULT ReturnTableList(CollectionIface** out, bool confidential, const VARIANT& tag, Build build) {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    return CatchOutOfMemory([&] {
        bool filtered = false;
        std::string filter;
        const HRESULT read = ReadTagFilter(tag, filtered, filter);
        if (FAILED(read)) return read;
        std::unique_ptr<RecordList> list(new (std::nothrow) RecordList);
        if (list != nullptr && !confidential)
            list = build(std::move(list), filtered ? &filter : nullptr);
        return MakeBuiltCollection(out, std::move(list));
    });
}

}  // namespace

// Attributes are filtered by their Type, which a TYPE line under FACT names.
HRESULT GDIndividualRecord::get_Attributes(VARIANT Tag, IGDFactEvents** pVal) {
    return ReturnTableList(
        pVal, entry_->IsConfidential(), Tag, [&](auto list, const std::string* filter) {
            BuildTableRecords(*entry_, TableOf(kIndividualAttributeTags),
                              &CreateRecordOf<RecordKind::FactEvent>, *list);
            return filter != nullptr ? EventsOfType(*list, *filter) : std::move(list);
        });
}

// An ordinance's key for the Tag filter is its own tag.
HRESULT GDIndividualRecord::get_IndividualOrdinances(VARIANT Tag, IGDOrdinances** pVal) {
    return ReturnTableList(
        pVal, entry_->IsConfidential(), Tag, [&](auto list, const std::string* filter) {
            BuildTableRecords(*entry_, TableOf(kIndividualOrdinanceTags),
                              &CreateRecordOf<RecordKind::Ordinance>, *list, filter);
            return list;
        });
}

}  // namespace kinfold
