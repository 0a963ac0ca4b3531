#include "records/source/source_data_record.h"

#include <memory>
#include <new>
#include <utility>

#include "access/collections.h"
#include "access/file_text.h"
#include "records/person/on_demand_records.h"
#include "records/person/tag_value.h"

namespace kinfold {

HRESULT ReturnSourceData(IGDSourceDataRecord** out, const RecordBase& owner) {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    RecordBase* data = nullptr;
    hr = BuildFirstSubRecord(owner, "DATA", &CreateRecordOf<RecordKind::SourceData>, &data);
    if (FAILED(hr) || data == nullptr) return hr;
    static_cast<GDSourceDataRecord*>(data)->SetOwnerPosition(owner.Position());
    return ReturnBuilt(out, data);
}

HRESULT GDSourceDataRecord::get_Text(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    int32_t position = Position();
    if (FindSubTag("TEXT", position, false))
        return ReturnFileText(*this, pVal, [&] { return ReadText(position); });
    return ReturnFileText(*this, pVal, [&] {
        return ownerPosition_ != -1 ? ReadTagText("TEXT", ownerPosition_) : "";
    });
}

// The texts under DATA first, then those beside it under the owner.
HRESULT GDSourceDataRecord::get_Texts(IGDList** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    std::unique_ptr<ValueList> texts(new (std::nothrow) ValueList(FileEncoding(*this)));
    if (texts == nullptr) return E_OUTOFMEMORY;
    RecordList lines;
    if (SUCCEEDED(BuildSubRecords("TEXT", lines, Position())) && ownerPosition_ != -1)
        BuildSubRecords("TEXT", lines, ownerPosition_);
    for (RecordBase* line : lines) {
        if (!texts->Append(ReadText(line->Position()))) return E_OUTOFMEMORY;
    }
    return MakeBuiltCollection(pVal, std::move(texts));
}

HRESULT GDSourceDataRecord::get_EventsRecorded(IGDFactEvents** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "EVEN", &CreateRecordOf<RecordKind::FactEvent>);
}

HRESULT GDSourceDataRecord::get_Notes(IGDNotes** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "NOTE", &CreateRecordOf<RecordKind::Note>);
}

HRESULT GDSourceDataRecord::get_ResponsibleAgency(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "AGNC");
}

HRESULT GDSourceDataRecord::get_RecordingDate(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "DATE");
}

}  // namespace kinfold
