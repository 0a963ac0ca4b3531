// How a source, repository, note or multimedia line refers to its record:
// it is the record (a level-0 line with an ID), points to one (@...@), or
// holds the data itself.
#pragma once

#include <cstdint>

#include "core/record_base.h"

namespace kinfold {

enum class ReferenceForm : uint8_t { Record = 0, Inline = 1, Pointer = 2 };

inline ReferenceForm DecideReferenceForm(const RecordBase& record) {
    if (!record.Id().empty() && record.Id().front() == '@') return ReferenceForm::Record;
    if (!record.Pointer().empty() && record.Pointer().front() == '@') return ReferenceForm::Pointer;
    return ReferenceForm::Inline;
}

}  // namespace kinfold
