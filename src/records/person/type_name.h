// The kind an event or attribute line adds to the database's type sets.
#pragma once

#include <string>
#include <string_view>

namespace kinfold {

class GedcomLine;
class RecordBase;

// The tag of `line`; for the generic tag (EVEN or FACT) the value of the
// TYPE line under it, or empty. Safe while loading: the reader is put back
// where the loader left it.
std::string TypeNameWhileLoading(const RecordBase& owner, const GedcomLine& line,
                                 std::string_view genericTag);

}  // namespace kinfold
