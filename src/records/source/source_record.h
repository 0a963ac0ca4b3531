// A SOUR record, or a source citation (inline or pointing to a record).
// Repository citations under it are built while loading.
#pragma once

#include "core/record_list.h"
#include "records/source/linked_record.h"

namespace kinfold {

class GDSourceRecord : public LinkedRecord<IGDSourceRecord, &GEDCOMdb::SourceStore> {
   public:
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    HRESULT Link(RecordHost& database) override;
    void DropReferences() override;

    const RecordList& Repositories() const { return repositories_; }

   private:
    RecordList repositories_;
};

}  // namespace kinfold
