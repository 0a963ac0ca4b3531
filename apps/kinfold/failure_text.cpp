#include <cstdio>

#include "commands.h"

namespace kinfold::cli {

std::string ErrorDescription() {
    IErrorInfo* info = nullptr;
    std::string description;
    if (GetErrorInfo(0, &info) == S_OK && info != nullptr) {
        BSTR text = nullptr;
        if (SUCCEEDED(info->GetDescription(&text))) description = BstrToText(text);
        SysFreeString(text);
        info->Release();
    }
    return description;
}

std::string FailureText(const char* member, HRESULT hr) {
    if (hr == E_NOTIMPL)
        return std::string(member) + " is not available in this build of the library";
    const std::string description = ErrorDescription();
    if (!description.empty()) return std::string(member) + ": " + description;
    char code[16];
    std::snprintf(code, sizeof(code), "0x%08X", static_cast<unsigned>(hr));
    return std::string(member) + " failed with " + code;
}

}  // namespace kinfold::cli
