// BSTR with the Windows layout: a 4-byte byte length, then the UTF-16 code
// units, then a terminating zero unit. The pointer handed out points at the
// first code unit, so a BSTR is also a plain zero-terminated string.
#include <cstdlib>
#include <cstring>

#include "oleauto.h"
#include "platform/fault_injection.h"

namespace {

constexpr size_t kPrefix = sizeof(uint32_t);
// Windows refuses byte lengths that do not fit the 32-bit prefix with room
// for the terminator; stay well clear of it.
constexpr UINT kMaxBytes = 0x7FFFFFF0u;

char* Header(BSTR bstr) { return reinterpret_cast<char*>(bstr) - kPrefix; }

// A new string of `bytes` bytes; the bytes are copied from `src` when given,
// zeroed otherwise. Two zero bytes always follow the data (three when the
// length is odd, so that a terminating code unit is always there).
BSTR AllocBytes(const void* src, UINT bytes) {
    if (bytes > kMaxBytes || kinfold::fault::AllocationFails()) return nullptr;
    char* block = static_cast<char*>(std::malloc(kPrefix + bytes + 3));
    if (!block) return nullptr;
    const uint32_t length = bytes;
    std::memcpy(block, &length, kPrefix);
    char* data = block + kPrefix;
    if (src)
        std::memcpy(data, src, bytes);
    else
        std::memset(data, 0, bytes);
    data[bytes] = data[bytes + 1] = data[bytes + 2] = 0;
    return reinterpret_cast<BSTR>(data);
}

UINT Length(const OLECHAR* psz) {
    UINT n = 0;
    while (psz[n]) ++n;
    return n;
}

}  // namespace

BSTR SysAllocString(const OLECHAR* psz) {
    if (!psz) return nullptr;
    return SysAllocStringLen(psz, Length(psz));
}

BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch) {
    if (cch > kMaxBytes / sizeof(OLECHAR)) return nullptr;
    return AllocBytes(pch, cch * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(const char* psz, UINT len) { return AllocBytes(psz, len); }

int SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
    if (!pbstr) return 0;
    if (!psz) {
        SysFreeString(*pbstr);
        *pbstr = nullptr;
        return 1;
    }
    return SysReAllocStringLen(pbstr, psz, Length(psz));
}

int SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len) {
    if (!pbstr) return 0;
    // The source may lie inside the old string: copy before freeing.
    BSTR fresh = SysAllocStringLen(psz, len);
    if (!fresh) return 0;
    SysFreeString(*pbstr);
    *pbstr = fresh;
    return 1;
}

void SysFreeString(BSTR bstr) {
    if (bstr) std::free(Header(bstr));
}

UINT SysStringByteLen(BSTR bstr) {
    if (!bstr) return 0;
    uint32_t length;
    std::memcpy(&length, Header(bstr), kPrefix);
    return length;
}

UINT SysStringLen(BSTR bstr) { return SysStringByteLen(bstr) / sizeof(OLECHAR); }
