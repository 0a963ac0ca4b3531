// A record that keeps its opening line only; lists of plain values (the
// telephone numbers of an address, the texts of a source's data) are made
// of these.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class PlainRecord : public InternalRecord {};

}  // namespace kinfold
