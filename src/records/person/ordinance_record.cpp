#include "records/person/ordinance_record.h"

#include "access/file_text.h"
#include "core/gedcom_line.h"
#include "core/record_host.h"
#include "records/person/on_demand_records.h"
#include "records/person/tag_value.h"

namespace kinfold {

HRESULT GDOrdinanceRecord::get_Type(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return GetTag(); });
}

HRESULT GDOrdinanceRecord::get_Date(BSTR* pVal) { return ReturnTagValue(pVal, *this, "DATE"); }
HRESULT GDOrdinanceRecord::get_TempleCode(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "TEMP");
}
HRESULT GDOrdinanceRecord::get_Place(BSTR* pVal) { return ReturnTagValue(pVal, *this, "PLAC"); }
HRESULT GDOrdinanceRecord::get_Status(BSTR* pVal) { return ReturnTagValue(pVal, *this, "STAT"); }

// The date the status was given, under STAT: not the ordinance's own DATE.
HRESULT GDOrdinanceRecord::get_StatusLastModified(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return ReadNestedValue("STAT", "DATE"); });
}

HRESULT GDOrdinanceRecord::get_Notes(IGDNotes** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "NOTE", &CreateRecordOf<RecordKind::Note>);
}

HRESULT GDOrdinanceRecord::get_Sources(IGDSources** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "SOUR", &CreateRecordOf<RecordKind::Source>);
}

// Looked up at each read; a FAMC naming no family gives none, silently.
HRESULT GDOrdinanceRecord::get_AssociatedFamily(IGDFamilyRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    GedcomLine line;
    if (Database() == nullptr || !ReadTagLine("FAMC", line) || line.Pointer().empty()) return S_OK;
    return ReturnObject(pVal, Database()->FindRecord(RecordKind::Family, line.Pointer()));
}

}  // namespace kinfold
