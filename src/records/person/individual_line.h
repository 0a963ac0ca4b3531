// A CHIL, HUSB or WIFE line of a family: its pointer and, once linked, the
// individual it names. Families keep these by value: a large file has as
// many as it has children and partners, and an automation object for each
// would cost several times the line itself.
#pragma once

#include <string_view>

#include "core/pointer_slot.h"
#include "core/record_base.h"
#include "core/record_factory.h"
#include "core/record_host.h"

namespace kinfold {

class IndividualLine {
   public:
    IndividualLine() = default;
    explicit IndividualLine(std::string_view pointer) : pointer_(pointer) {}

    RecordBase* Target() const { return pointer_.Target(); }
    bool Linked() const { return pointer_.Linked(); }
    // The pointer's text while the line is not linked.
    std::string_view Pointer() const { return pointer_.Text(); }

    // A pointer that names no individual leaves the line as it was.
    HRESULT Link(RecordHost& database) {
        RecordBase* target = database.FindRecord(RecordKind::Individual, pointer_.Text());
        if (target == nullptr) return E_FAIL;
        pointer_.SetLinked(target);
        return S_OK;
    }
    void DropReferences() { pointer_.SetLinked(nullptr); }

   private:
    PointerSlot pointer_;
};

}  // namespace kinfold
