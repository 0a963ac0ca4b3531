// One ASSO line of an individual.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class GDAssociationRecord : public RecordObject<IGDAssociationRecord> {};

}  // namespace kinfold
