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

HRESULT GDIndividualRecord::get_Attributes(VARIANT Tag, IGDFactEvents** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    bool filtered = false;
    std::string filter;
    hr = ReadTagFilter(Tag, filtered, filter);
    if (FAILED(hr)) return hr;
    std::unique_ptr<RecordList> attributes(new (std::nothrow) RecordList);
    if (attributes != nullptr && !IsConfidential()) {
        BuildTableRecords(*this, TableOf(kIndividualAttributeTags),
                          &CreateRecordOf<RecordKind::FactEvent>, *attributes);
    }
    if (filtered && attributes != nullptr) attributes = EventsOfType(*attributes, filter);
    return MakeBuiltCollection(pVal, std::move(attributes));
}

// An ordinance's key for the Tag filter is its own tag.
HRESULT GDIndividualRecord::get_IndividualOrdinances(VARIANT Tag, IGDOrdinances** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    bool filtered = false;
    std::string filter;
    hr = ReadTagFilter(Tag, filtered, filter);
    if (FAILED(hr)) return hr;
    std::unique_ptr<RecordList> ordinances(new (std::nothrow) RecordList);
    if (ordinances != nullptr && !IsConfidential()) {
        BuildTableRecords(*this, TableOf(kIndividualOrdinanceTags),
                          &CreateRecordOf<RecordKind::Ordinance>, *ordinances,
                          filtered ? &filter : nullptr);
    }
    return MakeBuiltCollection(pVal, std::move(ordinances));
}

}  // namespace kinfold
