#include "records/source/header_record.h"

#include "access/file_text.h"
#include "records/person/first_sub_record.h"
#include "records/person/tag_value.h"
#include "records/source/address_record.h"

namespace kinfold {
namespace {

HRESULT ReturnNestedValue(BSTR* out, const RecordBase& record, std::string_view outer,
                          std::string_view inner) {
    if (out == nullptr) return E_POINTER;
    return ReturnFileText(record, out, [&] { return record.ReadNestedValue(outer, inner); });
}

}  // namespace

HRESULT GDHeaderRecord::get_SourceSystem(IGDSourceSystemRecord** pVal) {
    return ReturnFirstSubRecord(pVal, *this, "SOUR", &CreateRecordOf<RecordKind::SourceSystem>);
}

HRESULT GDHeaderRecord::get_Submission(IGDSubmissionRecord** pVal) {
    return ReturnFirstSubRecord(pVal, *this, "SUBN", &CreateRecordOf<RecordKind::Submission>);
}

HRESULT GDHeaderRecord::get_Submitter(IGDSubmitterRecord** pVal) {
    return ReturnFirstSubRecord(pVal, *this, "SUBM", &CreateRecordOf<RecordKind::Submitter>);
}

HRESULT GDHeaderRecord::get_DestinationSystem(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "DEST");
}
HRESULT GDHeaderRecord::get_TransmissionDate(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "DATE");
}
HRESULT GDHeaderRecord::get_TransmissionTime(BSTR* pVal) {
    return ReturnNestedValue(pVal, *this, "DATE", "TIME");
}
HRESULT GDHeaderRecord::get_FileName(BSTR* pVal) { return ReturnTagValue(pVal, *this, "FILE"); }
HRESULT GDHeaderRecord::get_Copyright(BSTR* pVal) { return ReturnTagValue(pVal, *this, "COPR"); }
HRESULT GDHeaderRecord::get_GEDCOMVersion(BSTR* pVal) {
    return ReturnNestedValue(pVal, *this, "GEDC", "VERS");
}
HRESULT GDHeaderRecord::get_GEDCOMForm(BSTR* pVal) {
    return ReturnNestedValue(pVal, *this, "GEDC", "FORM");
}
HRESULT GDHeaderRecord::get_CharSet(BSTR* pVal) { return ReturnTagValue(pVal, *this, "CHAR"); }
HRESULT GDHeaderRecord::get_CharSetVersion(BSTR* pVal) {
    return ReturnNestedValue(pVal, *this, "CHAR", "VERS");
}
HRESULT GDHeaderRecord::get_Language(BSTR* pVal) { return ReturnTagValue(pVal, *this, "LANG"); }
HRESULT GDHeaderRecord::get_PlaceFormat(BSTR* pVal) {
    return ReturnNestedValue(pVal, *this, "PLAC", "FORM");
}
HRESULT GDHeaderRecord::get_Description(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return ReadTagText("NOTE"); });
}

// The system identifier is the value of the SOUR line itself.
HRESULT GDSourceSystemRecord::get_System(BSTR* pVal) {
    return ReturnFileText(*this, pVal, Value());
}
HRESULT GDSourceSystemRecord::get_Version(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "VERS");
}
HRESULT GDSourceSystemRecord::get_Corporation(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "CORP");
}
HRESULT GDSourceSystemRecord::get_DataSource(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "DATA");
}
HRESULT GDSourceSystemRecord::get_DataSourcePublicationDate(BSTR* pVal) {
    return ReturnNestedValue(pVal, *this, "DATA", "DATE");
}
HRESULT GDSourceSystemRecord::get_Name(BSTR* pVal) { return ReturnTagValue(pVal, *this, "NAME"); }

HRESULT GDSourceSystemRecord::get_DataSourceCopyright(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    int32_t data = Position();
    return ReturnFileText(*this, pVal, [&] {
        return FindSubTag("DATA", data, false) ? ReadTagText("COPR", data) : "";
    });
}

// The corporation's address stands under CORP, and its telephone and other
// contact lines beside ADDR under CORP too.
HRESULT GDSourceSystemRecord::get_Address(IGDAddressRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    int32_t corporation = Position();
    if (!FindSubTag("CORP", corporation, false)) return S_OK;
    return ReturnAddressUnder(pVal, *this, corporation);
}

}  // namespace kinfold
