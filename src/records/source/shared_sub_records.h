// Sub-records built on demand whose loading hooks are the defaults: all their
// data is read again from the file when a member asks for it.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class GDSourceDataRecord : public RecordObject<IGDSourceDataRecord> {};
class GDMediaFileRecord : public RecordObject<IGDMediaFileRecord> {};
class GDSourceSystemRecord : public RecordObject<IGDSourceSystemRecord> {};

}  // namespace kinfold
