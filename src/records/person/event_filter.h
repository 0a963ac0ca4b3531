// The optional Tag argument of the members that return events, attributes or
// ordinances: an omitted argument shows everything, anything else is
// compared, as text, with each element's key.
#pragma once

#include <memory>
#include <string>

#include "core/lazy_record_list.h"
#include "core/record_list.h"
#include "kinfold.h"
#include "platform/automation.h"

namespace kinfold {

// Whether `tag` holds a filter (false for VT_ERROR, the omitted argument);
// when it does, `text` receives it. A value that does not convert to text
// fails with the conversion's code.
HRESULT ReadTagFilter(const VARIANT& tag, bool& filtered, std::string& text);

// The events of `events` whose Type equals `filter`, each with a new
// reference; null when memory runs out.
std::unique_ptr<RecordList> EventsOfType(const RecordList& events, const std::string& filter);

// `owner`'s `events` as the host sees them: the owner's own list without a
// filter, a built list of the matching events with one.
HRESULT ReturnEvents(IGDFactEvents** out, const LazyRecordList& events, const VARIANT& tag,
                     RecordBase* owner);

// Event number `index` of `events` (its object made now if it was not yet),
// or, past the end, the database's blank event when the host asked for
// blank events, else nothing.
HRESULT ReturnEvent(IGDFactEventRecord** out, const LazyRecordList& events, size_t index,
                    const RecordBase& owner);

}  // namespace kinfold
