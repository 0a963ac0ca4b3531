// The members that answer with the value of one line under their record
// (RESN, RIN, RFN, ...): the first such line alone, continuations not
// joined, or the empty string.
#pragma once

#include <string_view>

#include "access/file_text.h"
#include "access/out_param.h"
#include "core/record_base.h"

namespace kinfold {

// The file is not read for a NULL out-pointer.
inline HRESULT ReturnTagValue(BSTR* out, const RecordBase& record, std::string_view tag) {
    if (out == nullptr) return E_POINTER;
    return ReturnFileText(record, out, [&] { return record.ReadTagValue(tag); });
}

}  // namespace kinfold
