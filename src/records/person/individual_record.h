// One INDI record. Names, family links and events are built while loading;
// everything else is read from the file when a member asks for it.
#pragma once

#include "access/record_object.h"
#include "core/record_list.h"

namespace kinfold {

// Also answers the hidden IGDPointerAccess, through which the library
// recognises an individual a host hands back in.
class GDIndividualRecord : public RecordObject<IGDIndividualRecord>,
                           public DualInterface<IGDPointerAccess> {
   public:
    ~GDIndividualRecord() override;

    void* FindInterface(REFIID riid) override;
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    HRESULT Link(RecordHost& database) override;
    void DropReferences() override;

    HRESULT STDMETHODCALLTYPE get_ID(BSTR* pVal) override;

    // IGDPointerAccess
    HRESULT STDMETHODCALLTYPE get_Ptr(LONG hinst, LONG* pVal) override;

    char Sex() const { return sex_; }
    const RecordList& Names() const { return names_; }
    const RecordList& ChildFamilyLinks() const { return childFamilyLinks_; }
    const RecordList& SpouseFamilyLinks() const { return spouseFamilyLinks_; }
    const RecordList& Events() const { return events_; }
    RecordBase* Birth() const { return birth_; }
    RecordBase* Death() const { return death_; }

   private:
    RecordList names_;
    RecordList childFamilyLinks_;
    RecordList spouseFamilyLinks_;
    RecordList events_;
    RecordBase* birth_ = nullptr;
    RecordBase* death_ = nullptr;
    char sex_ = '?';
    LONG pointerHandle_ = 0;
};

}  // namespace kinfold
