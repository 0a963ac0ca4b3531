#include "records/source/address_record.h"

#include <memory>
#include <new>
#include <utility>

#include "access/collections.h"
#include "access/file_text.h"
#include "access/out_param.h"
#include "access/value_list.h"
#include "core/record_list.h"
#include "records/person/first_sub_record.h"

namespace kinfold {

HRESULT ReturnAddress(IGDAddressRecord** out, const RecordBase& owner) {
    return ReturnAddressUnder(out, owner, owner.Position());
}

HRESULT ReturnAddressUnder(IGDAddressRecord** out, const RecordBase& owner, int32_t position) {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr) || position == -1) return hr;
    RecordBase* address = nullptr;
    hr = BuildFirstSubRecord(owner, "ADDR", &CreateRecordOf<RecordKind::Address>, &address,
                             position);
    if (FAILED(hr) || address == nullptr) return hr;
    static_cast<GDAddressRecord*>(address)->SetOwnerPosition(position);
    return ReturnBuilt(out, address);
}

HRESULT GDAddressRecord::get_Address(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return ReadText(Position()); });
}

HRESULT GDAddressRecord::ReturnPart(BSTR* out, std::string_view tag) const {
    if (out == nullptr) return E_POINTER;
    return ReturnFileText(*this, out, [&] { return ReadTagValue(tag); });
}

HRESULT GDAddressRecord::get_Addr1(BSTR* pVal) { return ReturnPart(pVal, "ADR1"); }
HRESULT GDAddressRecord::get_Addr2(BSTR* pVal) { return ReturnPart(pVal, "ADR2"); }
HRESULT GDAddressRecord::get_Addr3(BSTR* pVal) { return ReturnPart(pVal, "ADR3"); }
HRESULT GDAddressRecord::get_City(BSTR* pVal) { return ReturnPart(pVal, "CITY"); }
HRESULT GDAddressRecord::get_State(BSTR* pVal) { return ReturnPart(pVal, "STAE"); }
HRESULT GDAddressRecord::get_PostalCode(BSTR* pVal) { return ReturnPart(pVal, "POST"); }
HRESULT GDAddressRecord::get_Country(BSTR* pVal) { return ReturnPart(pVal, "CTRY"); }

HRESULT GDAddressRecord::ReturnOwnerValue(BSTR* out, std::string_view tag) const {
    if (out == nullptr) return E_POINTER;
    return ReturnFileText(*this, out, [&] { return ReadTagValue(tag, ownerPosition_); });
}

HRESULT GDAddressRecord::get_Phone(BSTR* pVal) { return ReturnOwnerValue(pVal, "PHON"); }
HRESULT GDAddressRecord::get_Email(BSTR* pVal) { return ReturnOwnerValue(pVal, "EMAIL"); }
HRESULT GDAddressRecord::get_Fax(BSTR* pVal) { return ReturnOwnerValue(pVal, "FAX"); }
HRESULT GDAddressRecord::get_WWW(BSTR* pVal) { return ReturnOwnerValue(pVal, "WWW"); }

// A line that cannot be read ends the list (the user was told); the values
// before it are still returned.
HRESULT GDAddressRecord::ReturnOwnerValues(IGDList** out, std::string_view tag) const {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    std::unique_ptr<ValueList> values(new (std::nothrow) ValueList(FileEncoding(*this)));
    if (values == nullptr) return E_OUTOFMEMORY;
    if (ownerPosition_ != -1) {
        RecordList lines;
        BuildSubRecords(tag, lines, ownerPosition_);
        for (RecordBase* line : lines) {
            if (!values->Append(line->Value())) return E_OUTOFMEMORY;
        }
    }
    return MakeBuiltCollection(out, std::move(values));
}

HRESULT GDAddressRecord::get_PhoneNumbers(IGDList** pVal) {
    return ReturnOwnerValues(pVal, "PHON");
}
HRESULT GDAddressRecord::get_EmailAddresses(IGDList** pVal) {
    return ReturnOwnerValues(pVal, "EMAIL");
}
HRESULT GDAddressRecord::get_FaxNumbers(IGDList** pVal) { return ReturnOwnerValues(pVal, "FAX"); }
HRESULT GDAddressRecord::get_WWWSites(IGDList** pVal) { return ReturnOwnerValues(pVal, "WWW"); }

}  // namespace kinfold
