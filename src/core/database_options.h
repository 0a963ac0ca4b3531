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
    // Tolerant reading, for files as people have them; each is off by
    // default, and each notes what it left out or changed in the load's
    // report. A line whose pointer names no record is left out of the load
    // instead of failing it.
    bool dropDanglingPointers = false;
    // Physical lines are read whole up to kLongLineBytes instead of being
    // split at 279 bytes.
    bool readLongLines = false;
    // A line that does not start with a level number continues the value of
    // the line before it, as a CONT would, instead of reading as a level-0
    // line of an unknown kind.
    bool joinLinesWithoutLevel = false;
};

}  // namespace kinfold
