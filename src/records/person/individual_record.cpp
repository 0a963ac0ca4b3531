#include "records/person/individual_record.h"

#include "access/file_text.h"
#include "access/out_param.h"
#include "access/pointer_handles.h"

namespace kinfold {

GDIndividualRecord::~GDIndividualRecord() {
    if (pointerHandle_ != 0) ReleasePointerHandle(pointerHandle_);
}

void* GDIndividualRecord::FindInterface(REFIID riid) {
    return LookupInterface<IGDIndividualRecord, ISupportErrorInfo, IGDPointerAccess>(this, riid);
}

// The handle is made at the first call and stays the individual's for life.
HRESULT GDIndividualRecord::get_Ptr(LONG hinst, LONG* pVal) {
    if (pVal == nullptr) return E_POINTER;
    *pVal = 0;
    if (hinst != InstanceHandleToken()) return E_HANDLE;
    if (pointerHandle_ == 0) pointerHandle_ = AssignPointerHandle(this);
    if (pointerHandle_ == 0) return E_OUTOFMEMORY;
    *pVal = pointerHandle_;
    return S_OK;
}

HRESULT GDIndividualRecord::get_ID(BSTR* pVal) {
    return ReturnFileText(*entry_, pVal, entry_->Id());
}

}  // namespace kinfold
