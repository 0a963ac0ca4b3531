// Error information objects and the per-thread slot that holds the current
// one: SetErrorInfo stores a counted reference, GetErrorInfo hands it over
// and empties the slot, as on Windows.
#include <atomic>
#include <new>

#include "oleauto.h"

namespace {

BSTR CopyText(LPCOLESTR text) { return text ? SysAllocString(text) : nullptr; }

class ErrorInfo final : public IErrorInfo, public ICreateErrorInfo, public ISupportErrorInfo {
   public:
    // IUnknown, answered the same through every interface.
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_INVALIDARG;
        if (riid == IID_IUnknown || riid == IID_IErrorInfo)
            *ppv = static_cast<IErrorInfo*>(this);
        else if (riid == IID_ICreateErrorInfo)
            *ppv = static_cast<ICreateErrorInfo*>(this);
        else if (riid == IID_ISupportErrorInfo)
            *ppv = static_cast<ISupportErrorInfo*>(this);
        else
            return *ppv = nullptr, E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    // IErrorInfo: each text comes back as a new BSTR (NULL when never set).
    HRESULT GetGUID(GUID* pGUID) override {
        if (!pGUID) return E_INVALIDARG;
        *pGUID = guid_;
        return S_OK;
    }
    HRESULT GetSource(BSTR* out) override { return Get(source_, out); }
    HRESULT GetDescription(BSTR* out) override { return Get(description_, out); }
    HRESULT GetHelpFile(BSTR* out) override { return Get(helpFile_, out); }
    HRESULT GetHelpContext(DWORD* out) override {
        if (!out) return E_INVALIDARG;
        *out = helpContext_;
        return S_OK;
    }

    // ICreateErrorInfo.
    HRESULT SetGUID(REFGUID rguid) override {
        guid_ = rguid;
        return S_OK;
    }
    HRESULT SetSource(LPOLESTR text) override { return Set(source_, text); }
    HRESULT SetDescription(LPOLESTR text) override { return Set(description_, text); }
    HRESULT SetHelpFile(LPOLESTR text) override { return Set(helpFile_, text); }
    HRESULT SetHelpContext(DWORD context) override {
        helpContext_ = context;
        return S_OK;
    }

    // ISupportErrorInfo.
    HRESULT InterfaceSupportsErrorInfo(REFIID riid) override { return riid == guid_ ? S_OK : S_FALSE; }

   private:
    ~ErrorInfo() {
        SysFreeString(source_);
        SysFreeString(description_);
        SysFreeString(helpFile_);
    }
    static HRESULT Get(BSTR field, BSTR* out) {
        if (!out) return E_INVALIDARG;
        *out = field ? SysAllocStringLen(field, SysStringLen(field)) : nullptr;
        return field && !*out ? E_OUTOFMEMORY : S_OK;
    }
    static HRESULT Set(BSTR& field, LPCOLESTR text) {
        BSTR copy = CopyText(text);
        if (text && !copy) return E_OUTOFMEMORY;
        SysFreeString(field);
        field = copy;
        return S_OK;
    }

    std::atomic<ULONG> refs_{1};
    GUID guid_ = GUID_NULL;
    BSTR source_ = nullptr;
    BSTR description_ = nullptr;
    BSTR helpFile_ = nullptr;
    DWORD helpContext_ = 0;
};

// The slot holds one reference; it is given back when the thread ends.
struct ErrorSlot {
    IErrorInfo* info = nullptr;
    ~ErrorSlot() {
        if (info) info->Release();
    }
};
thread_local ErrorSlot t_current;

}  // namespace

HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo) {
    if (!pperrinfo) return E_INVALIDARG;
    ErrorInfo* info = new (std::nothrow) ErrorInfo();
    *pperrinfo = info;
    return info ? S_OK : E_OUTOFMEMORY;
}

HRESULT SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo) {
    if (dwReserved) return E_INVALIDARG;
    if (perrinfo) perrinfo->AddRef();
    IErrorInfo* old = t_current.info;
    t_current.info = perrinfo;
    if (old) old->Release();
    return S_OK;
}

HRESULT GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo) {
    if (dwReserved || !pperrinfo) return E_INVALIDARG;
    *pperrinfo = t_current.info;
    t_current.info = nullptr;
    return *pperrinfo ? S_OK : S_FALSE;
}
