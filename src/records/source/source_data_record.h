// The DATA line of a source or citation. GEDCOM writes a citation's text
// either under DATA or directly under the citation, so the object also
// knows the line that owns it.
#pragma once

#include <cstdint>

#include "access/record_object.h"

namespace kinfold {

class GDSourceDataRecord : public RecordObject<IGDSourceDataRecord, IGDSourceDataRecord> {
   public:
    void SetOwnerPosition(int32_t position) { ownerPosition_ = position; }

    HRESULT STDMETHODCALLTYPE get_Text(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_EventsRecorded(IGDFactEvents** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_ResponsibleAgency(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordingDate(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Texts(IGDList** pVal) override;

   private:
    int32_t ownerPosition_ = -1;
};

// The data of `owner`, from the first DATA line directly under it: NULL with
// S_OK when there is none.
HRESULT ReturnSourceData(IGDSourceDataRecord** out, const RecordBase& owner);

}  // namespace kinfold
