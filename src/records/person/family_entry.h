// One FAM record as the database keeps it: the partner and child pointers
// and the family events are kept from loading; everything else is read from
// the file on demand. The automation object (GDFamilyRecord) is made when a
// host first gets the family.
#pragma once

#include <cstdint>

#include "access/record_entry.h"
#include "core/lazy_record_list.h"
#include "core/pool_vector.h"
#include "records/person/individual_line.h"

namespace kinfold {

class FamilyEntry : public RecordEntry {
   public:
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    HRESULT Link(RecordHost& database) override;
    void DropReferences() override;

    // 0 not confidential, 1 confidential, 2 not decided (reads as not
    // confidential). A spouse's choice reaches the family through this.
    void SetConfidentialState(int32_t state) override {
        confidentialState_ = static_cast<int8_t>(state);
    }
    int32_t ConfidentialState() const override { return confidentialState_; }
    bool IsConfidential() const { return confidentialState_ == 1; }

    using IndividualLines = PoolVector<IndividualLine>;
    const IndividualLines& Children() const { return children_; }
    // The last HUSB and WIFE lines, or null when the family has none.
    const IndividualLine* Husband() const { return hasHusband_ ? &husband_ : nullptr; }
    const IndividualLine* Wife() const { return hasWife_ ? &wife_ : nullptr; }
    const LazyRecordList& Events() const { return events_; }
    // The last MARR line; empty when there is none.
    SubLine Married() const { return events_.LineAt(*this, married_); }
    void SetEventStates(int32_t state) { events_.SetConfidentialState(state); }

   protected:
    IUnknown* MakeObject() override;

   private:
    friend class GDFamilyRecord;

    // Index in events_; past the end when there is none. The fields are
    // ordered to pack: a large file holds families by the hundred thousand.
    uint32_t married_ = UINT32_MAX;
    IndividualLines children_;
    LazyRecordList events_;
    IndividualLine husband_;
    IndividualLine wife_;
    bool hasHusband_ = false;
    bool hasWife_ = false;
    int8_t confidentialState_ = 2;
};

}  // namespace kinfold
