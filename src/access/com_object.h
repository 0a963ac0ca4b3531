// The automation object base: reference counting, interface lookup, the
// shared IDispatch and ISupportErrorInfo, and live-object counting.
//
// An object class derives from ObjectRoot and from the interfaces it serves
// (through DualInterface<> for dual ones) and implements FindInterface;
// ComObject<> (or ComAggObject<> when created inside an outer object) then
// supplies the one IUnknown implementation for all of them.
#pragma once

#include <atomic>
#include <new>
#include <type_traits>
#include <utility>

#include "access/module_state.h"
#include "core/object_pool.h"
#include "platform/automation.h"
#include "platform/dispatch_support.h"

namespace kinfold {

class ObjectRoot {
   public:
    ObjectRoot() { ObjectCreated(); }
    virtual ~ObjectRoot() { ObjectDestroyed(); }
    ObjectRoot(const ObjectRoot&) = delete;
    ObjectRoot& operator=(const ObjectRoot&) = delete;

    // The sub-object serving `riid`, or nullptr; IUnknown must resolve to one
    // fixed sub-object so that identity comparisons work.
    virtual void* FindInterface(REFIID riid) = 0;
    // Work that can fail after construction, run once by the creator.
    virtual HRESULT Initialize() { return S_OK; }
};

// Resolves `riid` among the interfaces a class lists; IUnknown (and IDispatch
// when the first one is dual) resolve to the first.
template <class Primary, class... More, class Self>
void* LookupInterface(Self* self, REFIID riid) {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(Primary)))
        return static_cast<Primary*>(self);
    if (std::is_base_of<IDispatch, Primary>::value && IsEqualIID(riid, IID_IDispatch))
        return static_cast<Primary*>(self);
    void* found = nullptr;
    ((found == nullptr && IsEqualIID(riid, __uuidof(More)) ? void(found = static_cast<More*>(self))
                                                           : void()),
     ...);
    return found;
}

template <class Impl>
class ComObject final : public Impl, public PoolAllocated<ComObject<Impl>> {
    static_assert(alignof(Impl) <= kPoolAlignment, "objects live in pool blocks");

   public:
    template <class... Args>
    explicit ComObject(Args&&... args) : Impl(std::forward<Args>(args)...) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        void* found = this->FindInterface(riid);
        if (found == nullptr) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        refs_.fetch_add(1);
        *ppv = found;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.fetch_add(1) + 1; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = refs_.fetch_sub(1) - 1;
        if (left == 0) delete this;
        return left;
    }

   private:
    std::atomic<ULONG> refs_{0};
};

// An instance created inside an outer object: its interfaces delegate
// IUnknown to the outer one; the outer object holds the inner unknown.
template <class Impl>
class ComAggObject final : public Impl {
   public:
    explicit ComAggObject(IUnknown* outer) : outer_(outer) { inner_.self = this; }

    IUnknown* Inner() { return &inner_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        return outer_->QueryInterface(riid, ppv);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return outer_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return outer_->Release(); }

   private:
    struct InnerUnknown : IUnknown {
        ComAggObject* self = nullptr;
        std::atomic<ULONG> refs{0};

        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
            if (ppv == nullptr) return E_POINTER;
            if (IsEqualIID(riid, IID_IUnknown)) {
                AddRef();
                *ppv = static_cast<IUnknown*>(this);
                return S_OK;
            }
            void* found = self->FindInterface(riid);
            if (found == nullptr) {
                *ppv = nullptr;
                return E_NOINTERFACE;
            }
            self->outer_->AddRef();
            *ppv = found;
            return S_OK;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return refs.fetch_add(1) + 1; }
        ULONG STDMETHODCALLTYPE Release() override {
            ULONG left = refs.fetch_sub(1) - 1;
            if (left == 0) delete self;
            return left;
        }
    };

    IUnknown* outer_;
    InnerUnknown inner_;
};

// A new object with a reference count of 0 (the creator takes the first
// reference), or nullptr when memory runs out, also when it runs out in the
// constructor of a member (a buffer, a list).
template <class Impl, class... Args>
ComObject<Impl>* NewObject(Args&&... args) {
    try {
        return new (std::nothrow) ComObject<Impl>(std::forward<Args>(args)...);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// Creates an object and hands out `Iface` with one reference.
template <class Impl, class Iface, class... Args>
HRESULT CreateObject(Iface** out, Args&&... args) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    ComObject<Impl>* object = NewObject<Impl>(std::forward<Args>(args)...);
    if (object == nullptr) return E_OUTOFMEMORY;
    object->AddRef();
    HRESULT hr = object->QueryInterface(__uuidof(Iface), reinterpret_cast<void**>(out));
    object->Release();
    return hr;
}

// IDispatch for a dual interface, served from the interface definition.
// `Base` is the interface itself, or the generated Unimplemented<Iface> for a
// class that does not serve every member yet.
template <class Iface, class Base = Iface>
class DualInterface : public Base {
   public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        ITypeInfo* info = nullptr;
        *count = SUCCEEDED(DispatchGetTypeInfo(__uuidof(Iface), &info)) ? 1 : 0;
        if (info != nullptr) info->Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (info == nullptr) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return DispatchGetTypeInfo(__uuidof(Iface), info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        return DispatchGetIDsOfNames(__uuidof(Iface), names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override {
        if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        // A call is also a read: some hosts ask for a property with
        // DISPATCH_METHOD alone (JScript's Enumerator does so for _NewEnum).
        if (flags == DISPATCH_METHOD) flags |= DISPATCH_PROPERTYGET;
        return DispatchInvoke(static_cast<Iface*>(this), __uuidof(Iface), id, flags, params, result,
                              excep, argErr);
    }
};

// Error information is supported for the object's own interfaces only (a
// newer version of an interface and the one it extends).
template <class... Ifaces>
class ErrorInfoSupport : public ISupportErrorInfo {
   public:
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
        return (IsEqualIID(riid, __uuidof(Ifaces)) || ...) ? S_OK : S_FALSE;
    }
};

}  // namespace kinfold
