#include "access/record_entry.h"

namespace kinfold {

HRESULT RecordEntry::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (object_ != nullptr) return object_->QueryInterface(riid, ppv);
    IUnknown* made = MakeObject();
    if (made == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = made->QueryInterface(riid, ppv);
    if (Database() != nullptr)
        object_ = made;
    else
        made->Release();
    return hr;
}

void RecordEntry::DropReferences() {
    RecordBase::DropReferences();
    IUnknown* object = object_;
    object_ = nullptr;
    if (object != nullptr) object->Release();
}

}  // namespace kinfold
