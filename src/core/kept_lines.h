// The storage of a record's sub-lines kept at load as small entries rather
// than objects (an individual's names and family links). Each entry `Line`
// has the slot `object_` for the object made from it the first time a host
// asks, which the list then holds one reference to for the rest of its life.
#pragma once

#include <cstddef>

#include "core/pool_vector.h"
#include "core/record_base.h"

namespace kinfold {

class RecordHost;

template <class Line>
class KeptLines {
   public:
    KeptLines() = default;
    KeptLines(const KeptLines&) = delete;
    KeptLines& operator=(const KeptLines&) = delete;
    ~KeptLines() {
        for (const Line& line : lines_)
            if (line.object_ != nullptr) line.object_->Release();
    }

    size_t Size() const { return lines_.size(); }
    const Line* Front() const { return lines_.empty() ? nullptr : &lines_.front(); }
    const Line* begin() const { return lines_.begin(); }
    const Line* end() const { return lines_.end(); }

   protected:
    // The database is going: made objects let go of it, and lines not made
    // yet will be made without the file.
    void DropObjectReferences() {
        for (const Line& line : lines_)
            if (line.object_ != nullptr) line.object_->DropReferences();
    }

    mutable PoolVector<Line> lines_;
};

}  // namespace kinfold
