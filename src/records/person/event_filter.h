// The optional Tag argument of the members that return events, attributes or
// ordinances: an omitted argument shows everything, anything else is
// compared, as text, with each element's key.
#pragma once

#include <memory>
#include <string>

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

// `events` as the host sees them: the owner's own list without a filter, a
// built list of the matching events with one.
HRESULT ReturnEvents(IGDFactEvents** out, const RecordList& events, const VARIANT& tag,
                     IUnknown* owner);

}  // namespace kinfold
