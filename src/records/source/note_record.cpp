#include "records/source/note_record.h"

#include <memory>
#include <new>
#include <utility>

#include "access/collections.h"
#include "access/file_text.h"
#include "records/person/first_sub_record.h"
#include "records/person/on_demand_records.h"
#include "records/source/forwarding.h"

namespace kinfold {

std::string GDNoteRecord::Text() const {
    const RecordBase* note = IsPointer() ? Target() : this;
    return note != nullptr ? note->ReadText(note->Position()) : std::string();
}

HRESULT GDNoteRecord::get_Note(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return ForwardTo(*this, &GDNoteRecord::get_Note, pVal);
    return ReturnFileText(*this, pVal, [&] { return ReadText(Position()); });
}

HRESULT GDNoteRecord::get_UserRefNumbers(IGDReferenceNumbers** pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return ForwardTo(*this, &GDNoteRecord::get_UserRefNumbers, pVal);
    return ReturnUserRefNumbers(pVal, *this);
}

HRESULT GDNoteRecord::get_RecordID(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return ForwardTo(*this, &GDNoteRecord::get_RecordID, pVal);
    return ReturnFileText(*this, pVal, [&] { return ReadTagValue("RIN"); });
}

HRESULT GDNoteRecord::get_ID(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return ForwardTo(*this, &GDNoteRecord::get_ID, pVal);
    return ReturnFileText(*this, pVal, Id());
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
        if (Target() == nullptr) return ReportError(kInvalidReference);
        BuildOnDemandRecords(*Target(), "SOUR", sourceFactory, *list);
    }
    return MakeBuiltCollection(pVal, std::move(list));
}

HRESULT GDNoteRecord::get_LastModified(IGDChangeDateRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDNoteRecord::get_LastModified, pVal);
    return ReturnLastModified(pVal, *this);
}

HRESULT GDNoteRecord::get_Tag(VARIANT* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return ForwardTo(*this, &GDNoteRecord::get_Tag, pVal);
    return tag_.Get(pVal);
}

HRESULT GDNoteRecord::put_Tag(VARIANT newVal) {
    if (IsPointer()) return ForwardTo(*this, &GDNoteRecord::put_Tag, newVal);
    return tag_.Put(newVal);
}

HRESULT GDNoteRecord::putref_Tag(VARIANT newVal) {
    if (IsPointer()) return ForwardTo(*this, &GDNoteRecord::putref_Tag, newVal);
    return tag_.Put(newVal);
}

}  // namespace kinfold
