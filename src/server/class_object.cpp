#include "server/class_object.h"

namespace kinfold {
namespace {

class ClassObject : public ObjectRoot, public IClassFactory {
   public:
    explicit ClassObject(InstanceCreator creator) : creator_(creator) {}

    void* FindInterface(REFIID riid) override {
        return LookupInterface<IClassFactory>(this, riid);
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        return creator_(outer, riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        kinfold::LockServer(lock != 0);
        return S_OK;
    }

   private:
    InstanceCreator creator_;
};

}  // namespace

HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    InstanceCreator creator = FindInstanceCreator(clsid);
    if (creator == nullptr) return CLASS_E_CLASSNOTAVAILABLE;
    ComObject<ClassObject>* object = NewObject<ClassObject>(creator);
    if (object == nullptr) return E_OUTOFMEMORY;
    object->AddRef();
    HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

}  // namespace kinfold
