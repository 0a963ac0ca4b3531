// One LDS ordinance line of an individual or a family.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class GDOrdinanceRecord : public RecordObject<IGDOrdinanceRecord> {};

}  // namespace kinfold
