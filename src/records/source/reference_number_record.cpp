#include "records/source/reference_number_record.h"

#include "access/file_text.h"
#include "access/out_param.h"

namespace kinfold {

HRESULT GDReferenceNumberRecord::get_RefNumber(BSTR* pVal) {
    return ReturnFileText(*this, pVal, Value());
}

HRESULT GDReferenceNumberRecord::get_Type(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return ReadTagValue("TYPE"); });
}

}  // namespace kinfold
