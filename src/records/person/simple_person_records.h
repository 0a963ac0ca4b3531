// Person sub-records whose loading hooks are the defaults: every line under
// them is refused and read again from the file by their members.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class GDNameRecord : public RecordObject<IGDNameRecord> {};
class GDFactEventRecord : public RecordObject<IGDFactEventRecord> {};
class GDPlaceRecord : public RecordObject<IGDPlaceRecord> {};
class GDOrdinanceRecord : public RecordObject<IGDOrdinanceRecord> {};
class GDAssociationRecord : public RecordObject<IGDAssociationRecord> {};

}  // namespace kinfold
