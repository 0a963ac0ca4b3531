// One event or attribute line of an individual or a family.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class GDFactEventRecord : public RecordObject<IGDFactEventRecord> {};

}  // namespace kinfold
