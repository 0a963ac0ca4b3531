// One INDI record as the database keeps it. Names, family links and events
// are kept while loading; everything else is read from the file when a
// member asks for it. The automation object (GDIndividualRecord) is made
// when a host first gets the individual.
#pragma once

#include <cstdint>

#include "access/record_entry.h"
#include "core/lazy_record_list.h"
#include "records/person/family_link_list.h"
#include "records/person/name_list.h"

namespace kinfold {

class IndividualEntry : public RecordEntry {
   public:
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    bool TakeLineUnderKept(const GedcomLine& line) override;
    HRESULT Link(RecordHost& database) override;
    void DropReferences() override;

    char Sex() const { return sex_; }
    const NameList& Names() const { return names_; }
    const FamilyLinkList& ChildFamilyLinks() const { return childFamilyLinks_; }
    const FamilyLinkList& SpouseFamilyLinks() const { return spouseFamilyLinks_; }
    const LazyRecordList& Events() const { return events_; }
    // The first BIRT and DEAT lines; empty when there is none.
    SubLine Birth() const { return events_.LineAt(*this, birth_); }
    SubLine Death() const { return events_.LineAt(*this, death_); }
    // 0 not confidential, 1 confidential, 2 not decided (reads as not
    // confidential).
    int32_t ConfidentialState() const override { return confidentialState_; }
    bool IsConfidential() const { return confidentialState_ == 1; }
    // The state, also given to every name and event and to every family
    // the individual is a spouse in, with that family's events.
    void SpreadConfidentialState(int32_t state);

   protected:
    IUnknown* MakeObject() override;

   private:
    friend class GDIndividualRecord;

    // TakeSubLine's answer for a line that went (`kept`) to a list of `kind`.
    enum class KeptLine : uint8_t { Name, ChildLink, SpouseLink, Event };
    bool KeepLine(bool kept, KeptLine kind, RecordBase** child);

    // Indexes in events_; kNoEvent when there is none. The fields are
    // ordered to pack: a large file holds individuals by the hundred thousand.
    static constexpr uint32_t kNoEvent = UINT32_MAX;
    uint32_t birth_ = kNoEvent;
    NameList names_;
    FamilyLinkList childFamilyLinks_;
    FamilyLinkList spouseFamilyLinks_;
    LazyRecordList events_;
    uint32_t death_ = kNoEvent;
    char sex_ = '?';
    // The list the last kept line went to, which takes the lines under it.
    KeptLine lastKept_ = KeptLine::Name;
    int8_t confidentialState_ = 2;
};

}  // namespace kinfold
