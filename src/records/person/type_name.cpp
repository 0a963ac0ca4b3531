#include "records/person/type_name.h"

#include "core/gedcom_line.h"
#include "core/record_host.h"

namespace kinfold {

void AddTypeNameOf(RecordHost& database, TypeSet set, const GedcomLine& line,
                   std::string_view genericTag) {
    if (line.Tag() != genericTag)
        database.AddTypeName(set, line.Tag());
    else
        database.AddTypeNameBelow(set, line.Position());
}

}  // namespace kinfold
