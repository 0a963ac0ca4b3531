// One FAM record: the partner and child pointers and the family events are
// kept from loading; everything else is read from the file on demand.
#pragma once

#include "access/record_object.h"
#include "core/record_list.h"

namespace kinfold {

class GDFamilyRecord : public RecordObject<IGDFamilyRecord> {
   public:
    ~GDFamilyRecord() override;

    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    HRESULT Link(RecordHost& database) override;
    void DropReferences() override;

    HRESULT STDMETHODCALLTYPE get_ID(BSTR* pVal) override;

    const RecordList& Children() const { return children_; }
    // The individual pointer holders of the last HUSB and WIFE lines.
    RecordBase* Husband() const { return husband_; }
    RecordBase* Wife() const { return wife_; }
    const RecordList& Events() const { return events_; }
    RecordBase* Married() const { return married_; }

   private:
    // Replaces `holder` with a new individual pointer holder named as child.
    bool TakePartner(RecordBase*& holder, RecordBase** child);

    RecordList children_;
    RecordList events_;
    RecordBase* husband_ = nullptr;
    RecordBase* wife_ = nullptr;
    RecordBase* married_ = nullptr;
};

}  // namespace kinfold
