#include "records/person/place_record.h"

#include "access/file_text.h"
#include "access/out_param.h"
#include "records/person/on_demand_records.h"

namespace kinfold {

HRESULT GDPlaceRecord::get_Name(BSTR* pVal) { return ReturnFileText(*this, pVal, Value()); }

HRESULT GDPlaceRecord::ReturnTagValue(BSTR* out, std::string_view tag) const {
    if (out == nullptr) return E_POINTER;
    return ReturnFileText(*this, out, [&] { return ReadTagValue(tag); });
}

HRESULT GDPlaceRecord::get_Type(BSTR* pVal) { return ReturnTagValue(pVal, "TYPE"); }

// The header's place format is not consulted: a place without its own FORM
// line has none.
HRESULT GDPlaceRecord::get_Format(BSTR* pVal) { return ReturnTagValue(pVal, "FORM"); }

// Coordinates count only under MAP, and are given as written (N18.15,
// W66.5), not as numbers.
HRESULT GDPlaceRecord::ReturnMapValue(BSTR* out, std::string_view tag) const {
    if (out == nullptr) return E_POINTER;
    int32_t map = Position();
    if (!FindSubTag("MAP", map, false)) return ReturnText(out, {});
    return ReturnFileText(*this, out, [&] { return ReadTagValue(tag, map); });
}

HRESULT GDPlaceRecord::get_Latitude(BSTR* pVal) { return ReturnMapValue(pVal, "LATI"); }
HRESULT GDPlaceRecord::get_Longitude(BSTR* pVal) { return ReturnMapValue(pVal, "LONG"); }

HRESULT GDPlaceRecord::get_Notes(IGDNotes** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "NOTE", &CreateRecordOf<RecordKind::Note>);
}

HRESULT GDPlaceRecord::get_Sources(IGDSources** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "SOUR", &CreateRecordOf<RecordKind::Source>);
}

HRESULT GDPlaceRecord::get_PhoneticVariations(IGDPlaces** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "FONE", &CreateRecordOf<RecordKind::Place>);
}

HRESULT GDPlaceRecord::get_RomanizedVariations(IGDPlaces** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "ROMN", &CreateRecordOf<RecordKind::Place>);
}

HRESULT GDPlaceRecord::get_Tag(VARIANT* pVal) { return tag_.Get(pVal); }
HRESULT GDPlaceRecord::put_Tag(VARIANT newVal) { return tag_.Put(newVal); }
HRESULT GDPlaceRecord::putref_Tag(VARIANT newVal) { return tag_.Put(newVal); }

}  // namespace kinfold
