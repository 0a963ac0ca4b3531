// One FAMC or FAMS line under an individual: its pedigree and, once linked,
// the family it names.
#pragma once

#include <string_view>

#include "access/record_object.h"
#include "core/compact_text.h"

namespace kinfold {

class GDFamilyLinkRecord : public RecordObject<IGDFamilyLinkRecord> {
   public:
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    HRESULT Link(RecordHost& database) override;

    std::string_view Pedigree() const { return pedigree_.View(); }
    RecordBase* Family() const { return Target(); }

   private:
    CompactText pedigree_;
};

}  // namespace kinfold
