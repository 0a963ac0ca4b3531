// One PLAC line under an event, or a variation of one.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class GDPlaceRecord : public RecordObject<IGDPlaceRecord> {};

}  // namespace kinfold
