// A walk over a whole database as a host exploring a file makes it: the
// database's own members, then every store from its collection.
#pragma once

#ifndef _WIN32

#include "kinfold.h"
#include "support/member_walker.h"

namespace kinfold::test {

void WalkDatabase(IGEDCOMdb* db, MemberWalker& walker);

}  // namespace kinfold::test

#endif  // _WIN32
