#include "records/person/individual_pointer.h"

#include "db/gedcom_db.h"

namespace kinfold {

HRESULT IndividualPointer::Link(RecordHost& database) {
    return ResolvePointer(*this, static_cast<GEDCOMdb&>(database).IndividualStore());
}

}  // namespace kinfold
