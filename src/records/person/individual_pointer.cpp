#include "records/person/individual_pointer.h"

#include "core/record_factory.h"

namespace kinfold {

HRESULT IndividualPointer::Link(RecordHost& database) {
    return LinkPointer(database, RecordKind::Individual);
}

}  // namespace kinfold
