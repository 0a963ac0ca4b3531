// The index of Item in a collection of top-level records: a position, or a
// record ID. Hosts pass whatever their language holds (a number, a string, an
// empty value), so the index arrives as a VARIANT and is read as follows: a
// string is always an ID, even "3"; anything else that converts to a number
// is a position; what is left is tried as text.
#pragma once

#include <string>

#include "platform/automation.h"

namespace kinfold {

struct RecordIndex {
    bool byId = false;
    LONG position = 0;
    // Cut as a FixedString would cut it, so that it compares as store keys do.
    std::string id;
};

// Fails with the conversion's code when the index is neither a number nor
// text (DISP_E_TYPEMISMATCH for VT_NULL, for example).
HRESULT ReadRecordIndex(const VARIANT& index, RecordIndex& read);

}  // namespace kinfold
