// The options of a database that shape what record members return. They
// live as long as the database and survive loads.
#pragma once

#include <cstdint>
#include <string>

#include "platform/automation.h"
#include "core/footnote_format.h"

namespace kinfold {

struct DatabaseOptions {
    VARIANT_BOOL returnBlankNames = VARIANT_TRUE;
    VARIANT_BOOL returnBlankPlaces = VARIANT_FALSE;
    VARIANT_BOOL returnBlankEvents = VARIANT_FALSE;
    VARIANT_BOOL concatenateWithSpace = VARIANT_TRUE;
    int32_t defaultConfidentialValue = 1;
    std::string confidentialNotice = "Confidential";
    // Stored as the host wrote it; read back as a flag.
    int16_t mergeCitationAndMasterSource = 1;
    // Compiled when set, so that a footnote only walks its tokens.
    FootnoteFormat footnoteFormat;
    // Off: text crosses to the host as the platform reads bytes. On: each
    // file loaded is decoded by what it declares and what its bytes show.
    bool decodeTextAutomatically = false;
};

}  // namespace kinfold
