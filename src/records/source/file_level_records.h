// Records whose data is all read on demand: multimedia, submitters,
// the submission, the header, and the bare record that keeps only its line.
#pragma once

#include "records/source/linked_record.h"

namespace kinfold {

class GDMultimediaRecord : public LinkedRecord<IGDMultimediaRecord, &GEDCOMdb::MultimediaStore> {};
class GDSubmitterRecord : public LinkedRecord<IGDSubmitterRecord, &GEDCOMdb::SubmitterStore> {};

// A pointer to the submission always means the file's one submission record.
class GDSubmissionRecord : public RecordObject<IGDSubmissionRecord> {
   public:
    HRESULT Link(RecordHost& database) override;
    HRESULT STDMETHODCALLTYPE get_ID(BSTR* pVal) override { return ReturnText(pVal, Id()); }
};

class GDHeaderRecord : public RecordObject<IGDHeaderRecord> {};

// Keeps its opening line only; lists of plain values are made of these.
class PlainRecord : public InternalRecord {};

}  // namespace kinfold
