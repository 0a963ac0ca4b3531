// A REPO record, or a repository citation under a source, with its call
// numbers built while loading.
#pragma once

#include "core/record_list.h"
#include "records/source/linked_record.h"

namespace kinfold {

class GDRepositoryRecord
    : public LinkedRecord<IGDRepositoryRecord, &GEDCOMdb::RepositoryStore> {
   public:
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    HRESULT Link(RecordHost& database) override;

    const RecordList& CallNumbers() const { return callNumbers_; }

   private:
    RecordList callNumbers_;
};

class GDCallNumberRecord : public RecordObject<IGDCallNumberRecord> {};

}  // namespace kinfold
