#include "records/source/repository_record.h"

#include <memory>
#include <new>
#include <utility>

#include "access/collections.h"
#include "access/file_text.h"
#include "core/record_factory.h"
#include "records/person/on_demand_records.h"
#include "records/person/tag_value.h"
#include "records/source/address_record.h"
#include "records/source/forwarding.h"

namespace kinfold {

bool GDRepositoryRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    if (line.Tag() != "CALN") return false;
    return AppendNewChild(RecordKind::CallNumber, callNumbers_, child);
}

HRESULT GDRepositoryRecord::Link(RecordHost& database) {
    HRESULT hr = LinkedRecord::Link(database);
    if (FAILED(hr)) return hr;
    for (RecordBase* callNumber : callNumbers_) {
        hr = callNumber->Link(database);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

void GDRepositoryRecord::DropReferences() {
    RecordBase::DropReferences();
    callNumbers_.DropReferences();
}

std::string GDRepositoryRecord::FootnoteName() const {
    const RecordBase* repository = IsPointer() ? Target() : this;
    return repository != nullptr ? repository->ReadTagValue("NAME") : std::string();
}

HRESULT GDRepositoryRecord::get_Name(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "NAME", &GDRepositoryRecord::get_Name);
}

HRESULT GDRepositoryRecord::get_RecordID(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "RIN",
                                   &GDRepositoryRecord::get_RecordID);
}

HRESULT GDRepositoryRecord::get_Address(IGDAddressRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDRepositoryRecord::get_Address, pVal);
    return ReturnAddress(pVal, *this);
}

// A citation's own notes come first, then those of the repository it names.
HRESULT GDRepositoryRecord::get_Notes(IGDNotes** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    std::unique_ptr<RecordList> notes(new (std::nothrow) RecordList);
    if (notes == nullptr) return E_OUTOFMEMORY;
    const auto noteFactory = &CreateRecordOf<RecordKind::Note>;
    BuildOnDemandRecords(*this, "NOTE", noteFactory, *notes);
    if (IsPointer()) {
        if (Target() == nullptr) return ReportError(kInvalidReference);
        BuildOnDemandRecords(*Target(), "NOTE", noteFactory, *notes);
    }
    return MakeBuiltCollection(pVal, std::move(notes));
}

HRESULT GDRepositoryRecord::get_CallNumbers(IGDCallNumbers** pVal) {
    return MakeLiveCollection(pVal, callNumbers_, static_cast<RecordBase*>(this));
}

HRESULT GDRepositoryRecord::get_LastModified(IGDChangeDateRecord** pVal) {
    return ReturnLastModified(pVal, *this);
}

HRESULT GDRepositoryRecord::get_UserRefNumbers(IGDReferenceNumbers** pVal) {
    return ReturnUserRefNumbers(pVal, *this);
}

HRESULT GDRepositoryRecord::get_Tag(VARIANT* pVal) { return tag_.Get(pVal); }
HRESULT GDRepositoryRecord::put_Tag(VARIANT newVal) { return tag_.Put(newVal); }
HRESULT GDRepositoryRecord::putref_Tag(VARIANT newVal) { return tag_.Put(newVal); }

HRESULT GDCallNumberRecord::get_CallNumber(BSTR* pVal) { return ReturnFileText(*this, pVal, Value()); }
HRESULT GDCallNumberRecord::get_Media(BSTR* pVal) { return ReturnTagValue(pVal, *this, "MEDI"); }
HRESULT GDCallNumberRecord::get_Tag(VARIANT* pVal) { return tag_.Get(pVal); }
HRESULT GDCallNumberRecord::put_Tag(VARIANT newVal) { return tag_.Put(newVal); }
HRESULT GDCallNumberRecord::putref_Tag(VARIANT newVal) { return tag_.Put(newVal); }

}  // namespace kinfold
