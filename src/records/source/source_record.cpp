#include "records/source/source_record.h"

#include "db/record_factory.h"

namespace kinfold {

bool GDSourceRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    // The lines under DATA come to this record too, so a REPO there is kept.
    if (line.Tag() == "DATA") return true;
    if (line.Tag() == "REPO") return AppendNewChild(RecordKind::Repository, repositories_, child);
    return false;
}

HRESULT GDSourceRecord::Link(RecordHost& database) {
    HRESULT hr = LinkedRecord::Link(database);
    if (FAILED(hr)) return hr;
    for (RecordBase* repository : repositories_) {
        hr = repository->Link(database);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}


void GDSourceRecord::DropReferences() {
    RecordBase::DropReferences();
    repositories_.DropReferences();
}

}  // namespace kinfold
