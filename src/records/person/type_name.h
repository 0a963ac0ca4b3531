// The kind an event or attribute line adds to the database's type sets.
#pragma once

#include <string>
#include <string_view>

namespace kinfold {

class GedcomLine;
class RecordHost;
enum class TypeSet;

// Adds the kind of the event or attribute `line` to `set`: its tag, or for
// the generic tag (EVEN or FACT) the value of the TYPE line under it (empty
// when there is none), which the database reads once every line is read.
void AddTypeNameOf(RecordHost& database, TypeSet set, const GedcomLine& line,
                   std::string_view genericTag);

}  // namespace kinfold
