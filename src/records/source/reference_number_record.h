// A REFN line: a number the user gave a record, and what kind of number it is.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class GDReferenceNumberRecord
    : public RecordObject<IGDReferenceNumberRecord, IGDReferenceNumberRecord> {
   public:
    HRESULT STDMETHODCALLTYPE get_RefNumber(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Type(BSTR* pVal) override;
};

}  // namespace kinfold
