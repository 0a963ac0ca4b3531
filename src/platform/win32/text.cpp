// Text at the boundary on Windows: the ANSI code page, as the system's own
// components convert it.
#include "platform/text.h"

#include <climits>

namespace kinfold {

BSTR AllocBstr(std::string_view text) {
    if (text.empty()) return SysAllocStringLen(nullptr, 0);
    if (text.size() > INT_MAX) return nullptr;
    const int bytes = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, nullptr, 0);
    if (units <= 0) return nullptr;
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(units));
    if (!result) return nullptr;
    MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, result, units);
    return result;
}

std::string BstrToText(const OLECHAR* bstr) {
    std::string out;
    if (!bstr || !*bstr) return out;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, bstr, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return out;
    out.resize(static_cast<size_t>(bytes));
    WideCharToMultiByte(CP_ACP, 0, bstr, -1, &out[0], bytes, nullptr, nullptr);
    out.resize(static_cast<size_t>(bytes) - 1);  // the terminating zero
    return out;
}

}  // namespace kinfold
