// One PLAC line under an event, or a phonetic (FONE) or romanized (ROMN)
// variation of one. Only the line itself is kept; every member but Name
// reads the lines under it from the file.
#pragma once

#include <string_view>

#include "access/host_tag.h"
#include "access/record_object.h"

namespace kinfold {

class GDPlaceRecord : public RecordObject<IGDPlaceRecord, IGDPlaceRecord> {
   public:
    // IGDPlaceRecord
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Type(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Latitude(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Longitude(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE get_Format(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_PhoneticVariations(IGDPlaces** pVal) override;
    HRESULT STDMETHODCALLTYPE get_RomanizedVariations(IGDPlaces** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sources(IGDSources** pVal) override;

   private:
    // The value of the first `tag` line under the place.
    HRESULT ReturnTagValue(BSTR* out, std::string_view tag) const;
    // The value of the first `tag` line under the place's first MAP line.
    HRESULT ReturnMapValue(BSTR* out, std::string_view tag) const;

    HostTag tag_;
};

}  // namespace kinfold
