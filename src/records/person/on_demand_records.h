// Sub-records made from the file again at every read of the member that
// returns them (notes, citations, name and place variations): one record per
// line with a given tag directly under the owner's line, in file order.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "access/collections.h"
#include "core/gedcom_loader.h"
#include "core/record_factory.h"
#include "core/record_list.h"
#include "records/person/first_sub_record.h"

namespace kinfold {

// Appends a record made by `factory` for each `tag` line under `owner`. One
// that cannot be made or linked (a pointer naming nothing) tells the user
// once and ends the scan; the records made before it stay in `list`.
void BuildOnDemandRecords(const RecordBase& owner, std::string_view tag, RecordFactory factory,
                          RecordList& list);

// A fixed table of tags (an individual's attribute or ordinance tags, ...).
struct TagTable {
    const std::string_view* tags;
    size_t count;
};
template <size_t N>
TagTable TableOf(const std::string_view (&tags)[N]) {
    return TagTable{tags, N};
}

// Appends a record made by `factory` for each line directly under `owner`
// whose tag is in `table` (compared as tags are) and, when `only` is given,
// equals it exactly; in file order, with the failure rule above.
void BuildTableRecords(const RecordBase& owner, TagTable table, RecordFactory factory,
                       RecordList& list, const std::string* only = nullptr);

// The same records as a new collection; `withheld` (a confidential owner)
// gives it empty without reading the file.
template <class CollectionIface>
HRESULT ReturnOnDemandRecords(CollectionIface** out, const RecordBase& owner, std::string_view tag,
                              RecordFactory factory, bool withheld = false) {
    if (out == nullptr) return E_POINTER;
    std::unique_ptr<RecordList> list(new (std::nothrow) RecordList);
    if (list != nullptr && !withheld) BuildOnDemandRecords(owner, tag, factory, *list);
    return MakeBuiltCollection(out, std::move(list));
}

// A record's reference numbers: one object per REFN line directly under it.
template <class CollectionIface>
HRESULT ReturnUserRefNumbers(CollectionIface** out, const RecordBase& owner) {
    return ReturnOnDemandRecords(out, owner, "REFN", &CreateRecordOf<RecordKind::ReferenceNumber>);
}

}  // namespace kinfold
