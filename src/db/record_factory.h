// Creation of the record objects the database files and holds. The record
// classes live above the database; they define these functions, so the
// database knows only the kinds it dispatches level-0 lines to.
#pragma once

#include <string_view>

#include "core/record_base.h"
#include "core/record_list.h"
#include "platform/automation.h"

namespace kinfold {

class GEDCOMdb;

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

// The assistant of `database`, with one reference; it keeps a plain back
// reference, since the database outlives it.
HRESULT CreateAssistant(GEDCOMdb& database, IUnknown** assistant);

}  // namespace kinfold
