// An ADDR line. The address parts stand under ADDR, but the telephone,
// e-mail, fax and web lines stand beside it, under the line that owns the
// address, so the owner tells the object where that line is.
#pragma once

#include <cstdint>
#include <string_view>

#include "access/record_object.h"

namespace kinfold {

class GDAddressRecord : public RecordObject<IGDAddressRecord, IGDAddressRecord> {
   public:
    void SetOwnerPosition(int32_t position) { ownerPosition_ = position; }

    HRESULT STDMETHODCALLTYPE get_Address(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Addr1(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Addr2(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Addr3(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_City(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_State(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_PostalCode(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Country(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Phone(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Email(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Fax(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_WWW(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_PhoneNumbers(IGDList** pVal) override;
    HRESULT STDMETHODCALLTYPE get_EmailAddresses(IGDList** pVal) override;
    HRESULT STDMETHODCALLTYPE get_FaxNumbers(IGDList** pVal) override;
    HRESULT STDMETHODCALLTYPE get_WWWSites(IGDList** pVal) override;

   private:
    HRESULT ReturnPart(BSTR* out, std::string_view tag) const;
    HRESULT ReturnOwnerValue(BSTR* out, std::string_view tag) const;
    HRESULT ReturnOwnerValues(IGDList** out, std::string_view tag) const;

    int32_t ownerPosition_ = -1;
};

// The owner's address, from the first ADDR line directly under it: NULL with
// S_OK when there is none.
HRESULT ReturnAddress(IGDAddressRecord** out, const RecordBase& owner);
// The same for the line at `position` of the owner's file, whose other lines
// (telephone, e-mail, ...) then belong to the address.
HRESULT ReturnAddressUnder(IGDAddressRecord** out, const RecordBase& owner, int32_t position);

}  // namespace kinfold
