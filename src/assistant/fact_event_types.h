// Readable English names of the event and attribute tags of person records.
#pragma once

#include <string_view>

namespace kinfold {

// The description of a tag (Birth for BIRT); any other text, a TYPE value or
// a tag in lower case, is its own description.
std::string_view FactEventTypeDescription(std::string_view type);

}  // namespace kinfold
