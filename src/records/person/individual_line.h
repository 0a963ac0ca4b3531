// A CHIL, HUSB or WIFE line of a family: its pointer and, once linked, the
// individual it names. Families keep these by value: a large file has as
// many as it has children and partners, and an automation object for each
// would cost several times the line itself.
#pragma once

#include <string_view>

#include "core/compact_text.h"
#include "core/record_base.h"
#include "core/record_factory.h"
#include "core/record_host.h"

namespace kinfold {

class IndividualLine {
   public:
    IndividualLine() = default;
    explicit IndividualLine(std::string_view pointer) : pointer_(pointer) {}

    RecordBase* Target() const { return target_; }
    // The pointer's text while the line is not linked.
    std::string_view Pointer() const { return pointer_.View(); }

    HRESULT Link(RecordHost& database) {
        target_ = database.FindRecord(RecordKind::Individual, pointer_.View());
        return target_ != nullptr ? S_OK : E_FAIL;
    }
    void DropReferences() { target_ = nullptr; }

   private:
    CompactText pointer_;
    RecordBase* target_ = nullptr;
};

}  // namespace kinfold
