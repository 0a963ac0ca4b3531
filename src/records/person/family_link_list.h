// The FAMC or FAMS lines of an individual. A large file has one or two per
// person, and an automation object for each would cost several times the
// line, so each is kept as a few bytes: where the line is, the pedigree a
// PEDI line under it wrote, and, once linked, the family it names. The
// GDFamilyLinkRecord for a line is made the first time a host asks for it
// and kept, so every later read gives the same object with its host tag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/compact_text.h"
#include "core/kept_lines.h"
#include "core/pointer_slot.h"
#include "core/record_base.h"

namespace kinfold {

class GedcomLine;
class RecordHost;

class FamilyLinkLine {
   public:
    FamilyLinkLine(int32_t position, int16_t level, std::string_view pointer, bool childLink)
        : family_(pointer), position_(position), level_(level), childLink_(childLink) {}

    // The family the line names; null before linking and once the database
    // is gone.
    RecordBase* Target() const { return family_.Target(); }
    // The PEDI value of the line; empty when it has none.
    std::string_view WrittenPedigree() const {
        return pedigreeWritten_ ? pedigree_.View() : std::string_view();
    }
    // Whether a PEDI line stood under the line, even one without a value.
    bool HasWrittenPedigree() const { return pedigreeWritten_; }

   private:
    friend class FamilyLinkList;
    template <class>
    friend class KeptLines;

    PointerSlot family_;  // the pointer's text until linked
    CompactText pedigree_;
    RecordBase* object_ = nullptr;
    int32_t position_;
    int16_t level_;
    // A FAMC line, whose pedigree is "birth" unless written; else FAMS,
    // "spouse".
    bool childLink_;
    bool pedigreeWritten_ = false;
};

class FamilyLinkList : public KeptLines<FamilyLinkLine> {
   public:
    // Keeps the FAMC (`childLink`) or FAMS line `line`; false when memory
    // runs out.
    bool Add(const GedcomLine& line, bool childLink);
    // A PEDI line under the last line kept: the last one wins. False when
    // memory runs out.
    bool WritePedigree(std::string_view pedigree);

    // E_FAIL when a line names no family, unless the database drops such
    // lines (from the list of `owner`, the individual).
    HRESULT Link(RecordHost& database, const RecordBase& owner);
    // The database is going: lines also forget their families.
    void DropReferences();

    // The object for line `index` of `owner`'s list, made now if it was not
    // yet; null when it cannot be made.
    RecordBase* ObjectAt(const RecordBase& owner, size_t index) const;
};

}  // namespace kinfold
