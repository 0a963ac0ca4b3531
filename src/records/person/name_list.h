// The NAME lines of an individual. Nearly every individual has one, and the
// assistant sorts and extracts by its parts, so each is kept as the three
// parts of its split (in one block) with its position and confidentiality
// state. The GDNameRecord for a line is made the first time a host asks for
// it and kept, so every later read gives the same object, with the state and
// host tag it was given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "core/kept_lines.h"
#include "core/record_base.h"
#include "core/text_triple.h"

namespace kinfold {

class GedcomLine;
class RecordHost;

class NameLine {
   public:
    NameLine(TextTriple&& split, int32_t position, int16_t level)
        : split_(std::move(split)), position_(position), level_(level) {}

    std::string_view GivenName() const { return split_.Part(0); }
    std::string_view Surname() const { return split_.Part(1); }
    std::string_view FullName() const { return split_.Part(2); }
    // The state of the name's object once made, else the one kept for it.
    int32_t ConfidentialState() const {
        return object_ != nullptr ? object_->ConfidentialState() : state_;
    }

   private:
    friend class NameList;
    template <class>
    friend class KeptLines;

    TextTriple split_;  // given name, surname, full name
    RecordBase* object_ = nullptr;
    int32_t position_;
    int16_t level_;
    int16_t state_ = 2;
};

class NameList : public KeptLines<NameLine> {
   public:
    // Keeps the NAME line `line`, split; false when memory runs out.
    bool Add(const GedcomLine& line);
    // A line directly under the last NAME line kept: SURN and GIVN, when the
    // file gives them, say better than the slashes which part is which; the
    // full name stays as written. Throws std::bad_alloc.
    void TakeNamePart(const GedcomLine& line);

    void SetConfidentialState(int32_t state);
    void DropReferences() { DropObjectReferences(); }

    // The object for line `index` of `owner`'s list, made now if it was not
    // yet; null when it cannot be made.
    RecordBase* ObjectAt(const RecordBase& owner, size_t index) const;
};

}  // namespace kinfold
