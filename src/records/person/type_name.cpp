#include "records/person/type_name.h"

#include "core/gedcom_line.h"
#include "core/gedcom_reader.h"
#include "core/record_base.h"
#include "core/record_host.h"

namespace kinfold {

std::string TypeNameWhileLoading(const RecordBase& owner, const GedcomLine& line,
                                 std::string_view genericTag) {
    if (line.Tag() != genericTag) return std::string(line.Tag());
    GedcomReader& reader = owner.Database()->Reader();
    const uint32_t resume = reader.Position();
    std::string type = owner.ReadTagValue("TYPE", line.Position());
    reader.Seek(resume);
    return type;
}

}  // namespace kinfold
