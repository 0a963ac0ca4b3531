#include "records/source/repository_record.h"

#include "db/record_factory.h"

namespace kinfold {

bool GDRepositoryRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    if (line.Tag() != "CALN") return false;
    return AppendNewChild(RecordKind::CallNumber, callNumbers_, child);
}

HRESULT GDRepositoryRecord::Link(RecordHost& database) {
    HRESULT hr = LinkedRecord::Link(database);
    if (FAILED(hr)) return hr;
    for (RecordBase* callNumber : callNumbers_) {
        hr = callNumber->Link(database);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

}  // namespace kinfold
