// One NAME line of an individual, or a phonetic or romanized variation of one.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class GDNameRecord : public RecordObject<IGDNameRecord> {};

}  // namespace kinfold
