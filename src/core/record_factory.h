// Creation of record objects by kind. The record classes live above this
// layer: the server, which knows every class, defines CreateRecord; the
// loader and the records ask for new records by kind only.
#pragma once

#include "core/record_base.h"
#include "core/record_list.h"
#include "platform/automation.h"

namespace kinfold {

enum class RecordKind {
    Individual,
    Family,
    Note,
    Source,
    Repository,
    Multimedia,
    Submission,
    Submitter,
    Header,
    Name,
    Place,
    FactEvent,
    FamilyLink,
    IndividualPointer,
    CallNumber,
    Address,
    ChangeDate,
    ReferenceNumber,
    SourceData,
    SourceSystem,
    MediaFile,
    Ordinance,
    Association,
    Plain,
};

// A new record of `kind` with one reference for the caller.
HRESULT CreateRecord(RecordKind kind, RecordBase** record);

// Creates a record of `kind`, appends it to `list` and names it `child`, the
// record that receives the lines below; false, with nothing appended, when
// it cannot be made.
bool AppendNewChild(RecordKind kind, RecordList& list, RecordBase** child);

}  // namespace kinfold
