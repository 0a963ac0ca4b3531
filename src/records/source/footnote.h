// The footnote of a source record or citation: a walk of a compiled format
// over the source's fields, its repository citations with their call
// numbers, and its notes.
#pragma once

#include <string>

#include "core/footnote_format.h"

namespace kinfold {

class GDSourceRecord;

std::string BuildFootnote(const GDSourceRecord& source, const FootnoteFormat& format);

}  // namespace kinfold
