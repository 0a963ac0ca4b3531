// Pointer records (a note, repository, multimedia, submitter or submission
// line that names a record) answer most members with the record they name.
// Calling the same member on the target is written once here, with the
// error a host sees when the pointer named nothing.
#pragma once

#include <string_view>
#include <utility>

#include "access/error_report.h"
#include "core/record_base.h"
#include "records/person/tag_value.h"

namespace kinfold {

// Two blanks and no full stop: hosts match this text as it has always read.
constexpr char kInvalidReference[] = "Error: GEDCOM file is corrupt.  Invalid Reference";

// Calls `member` of the record that `pointer` was linked to.
template <class Record, class... Params, class... Args>
HRESULT ForwardTo(const RecordBase& pointer, HRESULT (STDMETHODCALLTYPE Record::*member)(Params...),
                  Args&&... args) {
    auto* target = static_cast<Record*>(pointer.Target());
    if (target == nullptr) return ReportError(kInvalidReference);
    return (target->*member)(std::forward<Args>(args)...);
}

// A text member that a pointer forwards, and that otherwise is the value of
// the first `tag` line under the record.
template <class Record>
HRESULT ReturnForwardedTagValue(const Record& record, bool pointer, BSTR* out, std::string_view tag,
                                HRESULT (STDMETHODCALLTYPE Record::*member)(BSTR*)) {
    if (out == nullptr) return E_POINTER;
    if (pointer) return ForwardTo(record, member, out);
    return ReturnTagValue(out, record, tag);
}

}  // namespace kinfold
