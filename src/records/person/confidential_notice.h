// The text a confidential record shows in place of its data.
#pragma once

#include <string_view>

#include "records/source/record_options.h"

namespace kinfold {

inline std::string_view ConfidentialNotice(const RecordBase& record) {
    return OptionsOf(record).confidentialNotice;
}

}  // namespace kinfold
