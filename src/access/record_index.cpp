#include "access/record_index.h"

#include "core/fixed_string.h"
#include "platform/text.h"

namespace kinfold {
namespace {

void TakeId(const OLECHAR* text, RecordIndex& read) {
    read.byId = true;
    const std::string converted = BstrToText(text);
    read.id.assign(BoundText(converted));
}

}  // namespace

HRESULT ReadRecordIndex(const VARIANT& index, RecordIndex& read) {
    // mingw-w64 declares the conversion's source without const; it is only read.
    VARIANT* source = const_cast<VARIANT*>(&index);
    if (V_VT(&index) == VT_BSTR) {
        TakeId(V_BSTR(&index), read);
        return S_OK;
    }
    // Script hosts pass their variables by reference; a string variable is a
    // string, so it names an ID just as a string literal does.
    if (V_VT(&index) == (VT_BSTR | VT_BYREF) && index.pbstrVal != nullptr) {
        TakeId(*index.pbstrVal, read);
        return S_OK;
    }
    VARIANT number;
    VariantInit(&number);
    if (SUCCEEDED(VariantChangeType(&number, source, 0, VT_I4))) {
        read.position = V_I4(&number);
        return S_OK;
    }
    VARIANT text;
    VariantInit(&text);
    const HRESULT hr = VariantChangeType(&text, source, 0, VT_BSTR);
    if (FAILED(hr)) return hr;
    TakeId(V_BSTR(&text), read);
    VariantClear(&text);
    return S_OK;
}

}  // namespace kinfold
