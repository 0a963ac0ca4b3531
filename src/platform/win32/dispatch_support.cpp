// IDispatch served by the type library, as every automation server on Windows
// does: names, DISPIDs and argument coercion are oleaut32's, driven by the
// type information of the object's interface.
#include "platform/dispatch_support.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "kinfold.h"
#include "platform/module_file.h"

namespace kinfold {
namespace {

class TypeLibrary {
public:
    ~TypeLibrary() {
        for (auto& entry : infos_) entry.second->Release();
        if (library_) library_->Release();
    }

    // A counted reference to the type information of `iface`.
    HRESULT TypeInfoOf(REFIID iface, ITypeInfo** info) {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto& entry : infos_) {
            if (IsEqualIID(entry.first, iface)) {
                entry.second->AddRef();
                *info = entry.second;
                return S_OK;
            }
        }
        HRESULT hr = Load();
        if (FAILED(hr)) return hr;
        ITypeInfo* found = nullptr;
        hr = library_->GetTypeInfoOfGuid(iface, &found);
        if (FAILED(hr)) return hr;
        infos_.emplace_back(iface, found);
        found->AddRef();
        *info = found;
        return S_OK;
    }

private:
    // The registered library first, as hosts see it; unregistered (tests,
    // a program linking the static library) the copy embedded in our module.
    HRESULT Load() {
        if (library_) return S_OK;
        HRESULT hr = LoadRegTypeLib(LIBID_KinfoldLib, 1, 0, LANG_NEUTRAL, &library_);
        if (SUCCEEDED(hr)) return hr;
        // This object lives in the module that carries the type library.
        const OleString path = ModuleFileName(this);
        if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
        return LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library_);
    }

    std::mutex mutex_;
    ITypeLib* library_ = nullptr;
    std::vector<std::pair<IID, ITypeInfo*>> infos_;
};

TypeLibrary& Library() {
    static TypeLibrary library;
    return library;
}

}  // namespace

HRESULT DispatchGetTypeInfo(REFIID iface, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    return Library().TypeInfoOf(iface, info);
}

HRESULT DispatchGetIDsOfNames(REFIID iface, LPOLESTR* names, UINT count, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    ITypeInfo* info = nullptr;
    HRESULT hr = DispatchGetTypeInfo(iface, &info);
    if (FAILED(hr)) return hr;
    hr = DispGetIDsOfNames(info, names, count, ids);
    info->Release();
    return hr;
}

HRESULT DispatchInvoke(IDispatch* self, REFIID iface, DISPID id, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (!self) return E_POINTER;
    ITypeInfo* info = nullptr;
    HRESULT hr = DispatchGetTypeInfo(iface, &info);
    if (FAILED(hr)) return hr;
    // The type information calls through the vtable of `iface`, so it needs
    // that interface's pointer, whichever IDispatch the call came in on.
    void* instance = nullptr;
    hr = self->QueryInterface(iface, &instance);
    if (SUCCEEDED(hr)) {
        hr = info->Invoke(instance, id, flags, params, result, excep, argErr);
        static_cast<IUnknown*>(instance)->Release();
    }
    info->Release();
    return hr;
}

}  // namespace kinfold
