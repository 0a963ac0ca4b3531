// Finding and creating classes through the registry, natively: the text form
// of a GUID, ProgID lookup, and creation of a class whose InprocServer32 entry
// names the module that holds this code (a native process cannot load any
// other COM server).
#include <cstdio>
#include <string>

#include "oleauto.h"
#include "platform/registry_text.h"

// The server's own entry point, found the way the runtime finds it: by name.
STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);

namespace {

using kinfold::OleString;

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Reads `digits` hex digits at `text`, or false.
bool ReadHex(const OLECHAR*& text, int digits, uint32_t* value) {
    *value = 0;
    for (int i = 0; i < digits; ++i) {
        const int digit = HexDigit(*text++);
        if (digit < 0) return false;
        *value = (*value << 4) | static_cast<uint32_t>(digit);
    }
    return true;
}

bool Expect(const OLECHAR*& text, char16_t c) { return *text++ == c; }

}  // namespace

int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax) {
    constexpr int kLength = 39;  // {8-4-4-4-12} and the terminating zero
    if (lpsz == nullptr || cchMax < kLength) return 0;
    char text[kLength];
    std::snprintf(text, sizeof(text), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  rguid.Data1, rguid.Data2, rguid.Data3, rguid.Data4[0], rguid.Data4[1],
                  rguid.Data4[2], rguid.Data4[3], rguid.Data4[4], rguid.Data4[5], rguid.Data4[6],
                  rguid.Data4[7]);
    for (int i = 0; i < kLength; ++i) lpsz[i] = static_cast<OLECHAR>(text[i]);
    return kLength;
}

HRESULT CLSIDFromString(LPCOLESTR lpsz, CLSID* pclsid) {
    if (pclsid == nullptr) return E_INVALIDARG;
    *pclsid = GUID_NULL;
    if (lpsz == nullptr) return S_OK;
    const OLECHAR* text = lpsz;
    uint32_t part = 0;
    CLSID clsid{};
    bool ok = Expect(text, u'{') && ReadHex(text, 8, &clsid.Data1) && Expect(text, u'-');
    ok = ok && ReadHex(text, 4, &part) && Expect(text, u'-');
    clsid.Data2 = static_cast<uint16_t>(part);
    ok = ok && ReadHex(text, 4, &part) && Expect(text, u'-');
    clsid.Data3 = static_cast<uint16_t>(part);
    for (int i = 0; ok && i < 8; ++i) {
        if (i == 2) ok = Expect(text, u'-');
        ok = ok && ReadHex(text, 2, &part);
        clsid.Data4[i] = static_cast<uint8_t>(part);
    }
    ok = ok && Expect(text, u'}') && *text == 0;
    if (!ok) return CO_E_CLASSSTRING;
    *pclsid = clsid;
    return S_OK;
}

HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, CLSID* lpclsid) {
    if (lpszProgID == nullptr || lpclsid == nullptr) return E_INVALIDARG;
    *lpclsid = GUID_NULL;
    OleString clsid;
    if (!kinfold::ReadRegistryText(OleString(lpszProgID) + u"\\CLSID", nullptr, &clsid))
        return CO_E_CLASSSTRING;
    return CLSIDFromString(clsid.c_str(), lpclsid);
}

HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext, REFIID riid,
                         void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if ((dwClsContext & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
    OLECHAR clsid[39];
    StringFromGUID2(rclsid, clsid, 39);
    OleString server;
    if (!kinfold::ReadRegistryText(OleString(u"CLSID\\") + clsid + u"\\InprocServer32", nullptr,
                                   &server))
        return REGDB_E_CLASSNOTREG;
    if (server != kinfold::ModuleFileName(reinterpret_cast<const void*>(&DllGetClassObject)))
        return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    IClassFactory* factory = nullptr;
    HRESULT hr = DllGetClassObject(rclsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    hr = factory->CreateInstance(pUnkOuter, riid, ppv);
    factory->Release();
    return hr;
}
