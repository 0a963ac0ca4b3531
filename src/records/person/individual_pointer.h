// Keeps the pointer of a CHIL, HUSB, WIFE or ALIA line and, once linked, the
// individual it names.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class IndividualPointer : public WithTarget<InternalRecord> {
   public:
    HRESULT Link(RecordHost& database) override;
};

}  // namespace kinfold
