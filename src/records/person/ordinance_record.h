// One LDS ordinance line of an individual (BAPL, CONL, ENDL, SLGC) or a
// family (SLGS), made from the file at each read; every member reads the
// lines under it.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class GDOrdinanceRecord : public RecordObject<IGDOrdinanceRecord, IGDOrdinanceRecord> {
   public:
    HRESULT STDMETHODCALLTYPE get_Type(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Date(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_TempleCode(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Place(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Status(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_StatusLastModified(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sources(IGDSources** pVal) override;
    HRESULT STDMETHODCALLTYPE get_AssociatedFamily(IGDFamilyRecord** pVal) override;
};

}  // namespace kinfold
