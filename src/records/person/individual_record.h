// One INDI record. Names, family links and events are kept while loading;
// everything else is read from the file when a member asks for it.
#pragma once

#include <cstdint>

#include "access/host_tag.h"
#include "access/record_object.h"
#include "core/lazy_record_list.h"
#include "core/record_list.h"
#include "records/person/family_link_list.h"
#include "records/person/name_list.h"

namespace kinfold {

// Also answers the hidden IGDPointerAccess, through which the library
// recognises an individual a host hands back in.
class GDIndividualRecord : public RecordObject<IGDIndividualRecord, IGDIndividualRecord>,
                           public DualInterface<IGDPointerAccess> {
   public:
    ~GDIndividualRecord() override;

    void* FindInterface(REFIID riid) override;
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    bool TakeLineUnderKept(const GedcomLine& line) override;
    HRESULT Link(RecordHost& database) override;
    void DropReferences() override;

    HRESULT STDMETHODCALLTYPE get_ID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Name(IGDNameRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sex(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Names(IGDNames** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sources(IGDSources** pVal) override;
    HRESULT STDMETHODCALLTYPE get_SpouseFamilies(IGDFamilies** pVal) override;
    HRESULT STDMETHODCALLTYPE get_ChildFamilies(IGDFamilies** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Birth(IGDFactEventRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Death(IGDFactEventRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Attributes(VARIANT Tag, IGDFactEvents** pVal) override;
    HRESULT STDMETHODCALLTYPE get_RestrictionNotice(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Events(VARIANT Tag, IGDFactEvents** pVal) override;
    HRESULT STDMETHODCALLTYPE get_ParentFamily(IGDFamilyRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Father(IGDIndividualRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Mother(IGDIndividualRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_ChildFamilyLinks(IGDFamilyLinks** pVal) override;
    HRESULT STDMETHODCALLTYPE get_SpouseFamilyLinks(IGDFamilyLinks** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE get_Spouses(IGDIndividuals** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Confidential(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Confidential(VARIANT_BOOL newVal) override;
    HRESULT STDMETHODCALLTYPE get_Aliases(IGDIndividuals** pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordFileNumber(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_AncestralFileNumber(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_LastModified(IGDChangeDateRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_UserRefNumbers(IGDReferenceNumbers** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Multimedia(IGDMultimedia** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Submitters(IGDSubmitters** pVal) override;
    HRESULT STDMETHODCALLTYPE get_AncestorInterest(IGDSubmitters** pVal) override;
    HRESULT STDMETHODCALLTYPE get_DescendantInterest(IGDSubmitters** pVal) override;
    HRESULT STDMETHODCALLTYPE get_IndividualOrdinances(VARIANT Tag, IGDOrdinances** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Associations(IGDAssociations** pVal) override;

    // IGDPointerAccess
    HRESULT STDMETHODCALLTYPE get_Ptr(LONG hinst, LONG* pVal) override;

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
    // The state, also given to every name and event and to every family
    // the individual is a spouse in, with that family's events.
    void SpreadConfidentialState(int32_t state);

   private:
    bool IsConfidential() const { return confidentialState_ == 1; }
    // The family of the first child family link, whatever its pedigree.
    RecordBase* ParentFamily() const;
    HRESULT ReturnParent(IGDIndividualRecord** out, bool father) const;

    NameList names_;
    FamilyLinkList childFamilyLinks_;
    FamilyLinkList spouseFamilyLinks_;
    LazyRecordList events_;
    // Indexes in events_; kNoEvent when there is none. The fields are
    // ordered to pack: a large file holds individuals by the hundred thousand.
    static constexpr uint32_t kNoEvent = UINT32_MAX;
    uint32_t birth_ = kNoEvent;
    uint32_t death_ = kNoEvent;
    LONG pointerHandle_ = 0;
    char sex_ = '?';
    // The list the last kept line went to, which takes the lines under it.
    enum class KeptLine : uint8_t { Name, ChildLink, SpouseLink, Event };
    KeptLine lastKept_ = KeptLine::Name;
    // TakeSubLine's answer for a line that went (`kept`) to a list of `kind`.
    bool KeepLine(bool kept, KeptLine kind, RecordBase** child);
    int8_t confidentialState_ = 2;
    HostTag hostTag_;
};

}  // namespace kinfold
