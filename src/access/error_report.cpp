#include "access/error_report.h"

#include "platform/text.h"

namespace kinfold {
namespace {

// S_OK once the thread's error information describes `message`.
HRESULT SetErrorDescription(std::string_view message, const OLECHAR* source) {
    ICreateErrorInfo* creator = nullptr;
    HRESULT hr = CreateErrorInfo(&creator);
    if (FAILED(hr)) return hr;
    BSTR description = AllocBstr(message);
    hr = description != nullptr ? S_OK : E_OUTOFMEMORY;
    if (SUCCEEDED(hr)) hr = creator->SetGUID(GUID_NULL);
    if (SUCCEEDED(hr) && source != nullptr) hr = creator->SetSource(const_cast<LPOLESTR>(source));
    if (SUCCEEDED(hr)) hr = creator->SetDescription(description);
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(hr))
        hr = creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
    if (SUCCEEDED(hr)) {
        hr = SetErrorInfo(0, info);
        info->Release();
    }
    SysFreeString(description);
    creator->Release();
    return hr;
}

}  // namespace

HRESULT ReportError(std::string_view message, const OLECHAR* source) {
    const HRESULT hr = SetErrorDescription(message, source);
    return FAILED(hr) ? hr : DISP_E_EXCEPTION;
}

HRESULT ReportFailure(HRESULT failure, std::string_view message) {
    const HRESULT hr = SetErrorDescription(message, nullptr);
    return FAILED(hr) ? hr : failure;
}

}  // namespace kinfold
