#include "records/person/family_link_record.h"

#include "core/gedcom_line.h"
#include "db/gedcom_db.h"

namespace kinfold {

// A PEDI line is kept (the last one wins) and the lines under it come to
// this record too; every other line is left for on-demand reads.
bool GDFamilyLinkRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    if (line.Tag() != "PEDI") return false;
    pedigree_.Assign(line.Value());
    return true;
}

HRESULT GDFamilyLinkRecord::Link(RecordHost& database) {
    return ResolvePointer(*this, static_cast<GEDCOMdb&>(database).FamilyStore());
}

}  // namespace kinfold
