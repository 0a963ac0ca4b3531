// Sub-objects that a member builds afresh at every call from the first line
// with a given tag directly under its owner's line (an event's place, say).
#pragma once

#include <string_view>

#include "core/gedcom_loader.h"
#include "db/record_factory.h"
#include "platform/automation.h"

namespace kinfold {

// A factory of the form ParseSubRecord takes, for one record kind.
template <RecordKind Kind>
HRESULT CreateRecordOf(RecordBase** record) {
    return CreateRecord(Kind, record);
}

// `record` receives the new, linked object with one reference, or stays null
// with S_OK when the owner has no such line. A failure to make it is shown to
// the user once and its code returned.
HRESULT BuildFirstSubRecord(const RecordBase& owner, std::string_view tag, RecordFactory factory,
                            RecordBase** record);

}  // namespace kinfold
