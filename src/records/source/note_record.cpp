#include "records/source/note_record.h"

#include <memory>
#include <new>
#include <utility>

#include "access/collections.h"
#include "access/error_report.h"
#include "records/person/first_sub_record.h"
#include "records/person/on_demand_records.h"

namespace kinfold {
namespace {

// Two blanks and no full stop: hosts match this text as it has always read.
constexpr char kInvalidReference[] = "Error: GEDCOM file is corrupt.  Invalid Reference";

}  // namespace

template <class Call>
HRESULT GDNoteRecord::Forward(Call call) const {
    auto* target = static_cast<GDNoteRecord*>(Target());
    if (target == nullptr) return ReportError(kInvalidReference);
    return call(*target);
}

HRESULT GDNoteRecord::get_Note(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return Forward([&](GDNoteRecord& note) { return note.get_Note(pVal); });
    return ReturnText(pVal, ReadText(Position()));
}

HRESULT GDNoteRecord::get_UserRefNumbers(IGDReferenceNumbers** pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) {
        return Forward([&](GDNoteRecord& note) { return note.get_UserRefNumbers(pVal); });
    }
    return ReturnUserRefNumbers(pVal, *this);
}

HRESULT GDNoteRecord::get_RecordID(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return Forward([&](GDNoteRecord& note) { return note.get_RecordID(pVal); });
    return ReturnText(pVal, ReadTagValue("RIN"));
}

HRESULT GDNoteRecord::get_ID(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return Forward([&](GDNoteRecord& note) { return note.get_ID(pVal); });
    return ReturnText(pVal, Id());
}

// Not forwarded: citations written under the pointer line count as well,
// ahead of the note record's own.
HRESULT GDNoteRecord::get_Sources(IGDSources** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    std::unique_ptr<RecordList> list(new (std::nothrow) RecordList);
    if (list == nullptr) return E_OUTOFMEMORY;
    const auto sourceFactory = &CreateRecordOf<RecordKind::Source>;
    BuildOnDemandRecords(*this, "SOUR", sourceFactory, *list);
    if (IsPointer()) {
        hr = Forward([&](GDNoteRecord& note) {
            BuildOnDemandRecords(note, "SOUR", sourceFactory, *list);
            return S_OK;
        });
        if (FAILED(hr)) return hr;
    }
    return MakeBuiltCollection(pVal, std::move(list));
}

HRESULT GDNoteRecord::get_LastModified(IGDChangeDateRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) {
        return Forward([&](GDNoteRecord& note) { return note.get_LastModified(pVal); });
    }
    return ReturnLastModified(pVal, *this);
}

HRESULT GDNoteRecord::get_Tag(VARIANT* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return Forward([&](GDNoteRecord& note) { return note.get_Tag(pVal); });
    return tag_.Get(pVal);
}

HRESULT GDNoteRecord::put_Tag(VARIANT newVal) {
    if (IsPointer()) return Forward([&](GDNoteRecord& note) { return note.put_Tag(newVal); });
    return tag_.Put(newVal);
}

HRESULT GDNoteRecord::putref_Tag(VARIANT newVal) {
    if (IsPointer()) return Forward([&](GDNoteRecord& note) { return note.putref_Tag(newVal); });
    return tag_.Put(newVal);
}

}  // namespace kinfold
