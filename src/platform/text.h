// Text conversion at the automation boundary. Inside, text is bytes exactly
// as in the file; a BSTR is UTF-16. Windows converts through the ANSI code
// page; natively bytes are read as UTF-8, and a sequence that is not valid
// UTF-8 is read as Windows-1252 so that old files stay readable.
#pragma once

#include <string>
#include <string_view>

#include "automation.h"

namespace kinfold {

// A new BSTR holding `text`; nullptr only when allocation fails.
BSTR AllocBstr(std::string_view text);

// A new BSTR holding UTF-16 `units` as they are; nullptr only when
// allocation fails.
inline BSTR AllocBstrUtf16(std::u16string_view units) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(units.data()),
                             static_cast<UINT>(units.size()));
}

// The bytes of a BSTR in the internal encoding; a NULL BSTR is the empty text.
// The text ends at the first zero unit, so any zero-terminated OLECHAR text
// (the names passed to GetIDsOfNames, for example) may be given.
std::string BstrToText(const OLECHAR* bstr);

}  // namespace kinfold
