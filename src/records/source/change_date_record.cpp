#include "records/source/change_date_record.h"

#include "access/file_text.h"
#include "access/out_param.h"
#include "records/person/on_demand_records.h"

namespace kinfold {

HRESULT GDChangeDateRecord::get_Date(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return ReadTagValue("DATE"); });
}

// GEDCOM puts the time under the date, not beside it.
HRESULT GDChangeDateRecord::get_Time(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    int32_t date = Position();
    if (!FindSubTag("DATE", date, false)) return ReturnText(pVal, {});
    return ReturnFileText(*this, pVal, [&] { return ReadTagValue("TIME", date); });
}

HRESULT GDChangeDateRecord::get_Notes(IGDNotes** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "NOTE", &CreateRecordOf<RecordKind::Note>);
}

}  // namespace kinfold
