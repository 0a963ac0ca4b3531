#include "records/source/multimedia_record.h"

#include "access/collections.h"
#include "access/file_text.h"
#include "core/record_factory.h"
#include "records/person/on_demand_records.h"
#include "records/person/tag_value.h"
#include "records/source/forwarding.h"

namespace kinfold {

bool GDMultimediaRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    const std::string_view tag = line.Tag();
    if (tag == "FILE") {
        // The older form has one file: a FILE line completes the file its
        // FORM began, and a later one replaces its path.
        if (implicitFile_ && !mediaFiles_.Empty()) {
            *child = mediaFiles_.Front();
        } else {
            AppendNewChild(RecordKind::MediaFile, mediaFiles_, child);
        }
        return true;
    }
    if (tag == "FORM" || tag == "TYPE" || tag == "MEDI") {
        implicitFile_ = true;
        RecordBase* file = mediaFiles_.Front();
        if (file == nullptr && !AppendNewChild(RecordKind::MediaFile, mediaFiles_, &file))
            return true;
        RecordBase* none = nullptr;
        file->TakeSubLine(line, &none);
        return true;
    }
    return false;
}

void GDMultimediaRecord::DropReferences() {
    RecordBase::DropReferences();
    mediaFiles_.DropReferences();
}

HRESULT GDMultimediaRecord::get_MediaFiles(IGDMediaFiles** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDMultimediaRecord::get_MediaFiles, pVal);
    return MakeLiveCollection(pVal, mediaFiles_, static_cast<RecordBase*>(this));
}

HRESULT GDMultimediaRecord::get_Notes(IGDNotes** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDMultimediaRecord::get_Notes, pVal);
    return ReturnOnDemandRecords(pVal, *this, "NOTE", &CreateRecordOf<RecordKind::Note>);
}

HRESULT GDMultimediaRecord::get_Sources(IGDSources** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDMultimediaRecord::get_Sources, pVal);
    return ReturnOnDemandRecords(pVal, *this, "SOUR", &CreateRecordOf<RecordKind::Source>);
}

HRESULT GDMultimediaRecord::get_ID(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return ForwardTo(*this, &GDMultimediaRecord::get_ID, pVal);
    return ReturnFileText(*this, pVal, Id());
}

HRESULT GDMultimediaRecord::get_LastModified(IGDChangeDateRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDMultimediaRecord::get_LastModified, pVal);
    return ReturnLastModified(pVal, *this);
}

HRESULT GDMultimediaRecord::get_UserRefNumbers(IGDReferenceNumbers** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsPointer()) return ForwardTo(*this, &GDMultimediaRecord::get_UserRefNumbers, pVal);
    return ReturnUserRefNumbers(pVal, *this);
}

HRESULT GDMultimediaRecord::get_RecordID(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "RIN",
                                   &GDMultimediaRecord::get_RecordID);
}

HRESULT GDMultimediaRecord::get_Title(BSTR* pVal) {
    return ReturnForwardedTagValue(*this, IsPointer(), pVal, "TITL",
                                   &GDMultimediaRecord::get_Title);
}

HRESULT GDMultimediaRecord::get_Tag(VARIANT* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsPointer()) return ForwardTo(*this, &GDMultimediaRecord::get_Tag, pVal);
    return tag_.Get(pVal);
}

HRESULT GDMultimediaRecord::put_Tag(VARIANT newVal) {
    if (IsPointer()) return ForwardTo(*this, &GDMultimediaRecord::put_Tag, newVal);
    return tag_.Put(newVal);
}

HRESULT GDMultimediaRecord::putref_Tag(VARIANT newVal) {
    if (IsPointer()) return ForwardTo(*this, &GDMultimediaRecord::putref_Tag, newVal);
    return tag_.Put(newVal);
}

// Only FORM, TYPE and MEDI are kept, and nothing under them is offered.
bool GDMediaFileRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    if (line.Tag() == "FORM") format_.Assign(line.Value());
    if (line.Tag() == "TYPE" || line.Tag() == "MEDI") mediaType_.Assign(line.Value());
    return false;
}

HRESULT GDMediaFileRecord::get_Path(BSTR* pVal) { return ReturnFileText(*this, pVal, Value()); }
HRESULT GDMediaFileRecord::get_Format(BSTR* pVal) { return ReturnFileText(*this, pVal, format_.View()); }
HRESULT GDMediaFileRecord::get_MediaType(BSTR* pVal) { return ReturnFileText(*this, pVal, mediaType_.View()); }
HRESULT GDMediaFileRecord::get_Title(BSTR* pVal) { return ReturnTagValue(pVal, *this, "TITL"); }

}  // namespace kinfold
