// A CHAN line: when its record last changed. Only the line itself is kept.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class GDChangeDateRecord : public RecordObject<IGDChangeDateRecord, IGDChangeDateRecord> {
   public:
    HRESULT STDMETHODCALLTYPE get_Date(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Time(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
};

}  // namespace kinfold
