// Pointer records (a note, repository, multimedia, submitter or submission
// line that names a record) answer most members with the record they name.
// Calling the same member on the target is written once here, with the
// error a host sees when the pointer named nothing.
#pragma once

#include <utility>

#include "access/error_report.h"
#include "core/record_base.h"

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

}  // namespace kinfold
