#include "records/source/file_level_records.h"

namespace kinfold {

HRESULT GDSubmissionRecord::Link(RecordHost& database) {
    if (DecideReferenceForm(*this) != ReferenceForm::Pointer) return S_OK;
    RecordBase* submission = static_cast<GEDCOMdb&>(database).Submission();
    SetTarget(submission);
    return submission != nullptr ? S_OK : E_FAIL;
}

}  // namespace kinfold
