// Native stand-ins for the automation base types: the same names, sizes and
// layouts as on Windows, so the object model compiles unchanged on both builds.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int32_t HRESULT;
typedef int32_t SCODE;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef int16_t SHORT;
typedef uint16_t USHORT;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t INT;
typedef uint32_t UINT;
typedef int8_t CHAR;
typedef uint8_t BYTE;
typedef float FLOAT;
typedef double DOUBLE;
typedef int32_t BOOL;
typedef uint32_t LCID;
typedef int32_t DISPID;
typedef int32_t MEMBERID;
typedef uint16_t VARTYPE;
typedef double DATE;
typedef int16_t VARIANT_BOOL;
typedef char16_t OLECHAR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;
typedef OLECHAR* BSTR;
#define OLESTR(str) u##str
typedef void* HINSTANCE;

#define STDMETHODCALLTYPE
#define STDAPI extern "C" HRESULT
#define STDMETHOD(method) virtual HRESULT method
#define STDMETHOD_(type, method) virtual type method
#define STDMETHODIMP HRESULT
#define STDMETHODIMP_(type) type

#define TRUE 1
#define FALSE 0
#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)
#define MAKE_KF_HRESULT(v) ((HRESULT)(uint32_t)(v))

#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_NOTIMPL MAKE_KF_HRESULT(0x80004001)
#define E_NOINTERFACE MAKE_KF_HRESULT(0x80004002)
#define E_POINTER MAKE_KF_HRESULT(0x80004003)
#define E_ABORT MAKE_KF_HRESULT(0x80004004)
#define E_FAIL MAKE_KF_HRESULT(0x80004005)
#define E_UNEXPECTED MAKE_KF_HRESULT(0x8000FFFF)
#define E_ACCESSDENIED MAKE_KF_HRESULT(0x80070005)
#define E_HANDLE MAKE_KF_HRESULT(0x80070006)
#define E_OUTOFMEMORY MAKE_KF_HRESULT(0x8007000E)
#define E_INVALIDARG MAKE_KF_HRESULT(0x80070057)
#define CLASS_E_NOAGGREGATION MAKE_KF_HRESULT(0x80040110)
#define CLASS_E_CLASSNOTAVAILABLE MAKE_KF_HRESULT(0x80040111)
#define REGDB_E_CLASSNOTREG MAKE_KF_HRESULT(0x80040154)
#define REGDB_E_READREGDB MAKE_KF_HRESULT(0x80040150)
#define REGDB_E_WRITEREGDB MAKE_KF_HRESULT(0x80040151)
#define CO_E_CLASSSTRING MAKE_KF_HRESULT(0x800401F3)
#define CONNECT_E_NOCONNECTION MAKE_KF_HRESULT(0x80040200)
#define TYPE_E_ELEMENTNOTFOUND MAKE_KF_HRESULT(0x8002802B)
#define DISP_E_UNKNOWNINTERFACE MAKE_KF_HRESULT(0x80020001)
#define DISP_E_MEMBERNOTFOUND MAKE_KF_HRESULT(0x80020003)
#define DISP_E_PARAMNOTFOUND MAKE_KF_HRESULT(0x80020004)
#define DISP_E_TYPEMISMATCH MAKE_KF_HRESULT(0x80020005)
#define DISP_E_UNKNOWNNAME MAKE_KF_HRESULT(0x80020006)
#define DISP_E_NONAMEDARGS MAKE_KF_HRESULT(0x80020007)
#define DISP_E_BADVARTYPE MAKE_KF_HRESULT(0x80020008)
#define DISP_E_EXCEPTION MAKE_KF_HRESULT(0x80020009)
#define DISP_E_OVERFLOW MAKE_KF_HRESULT(0x8002000A)
#define DISP_E_BADINDEX MAKE_KF_HRESULT(0x8002000B)
#define DISP_E_ARRAYISLOCKED MAKE_KF_HRESULT(0x8002000D)
#define DISP_E_BADPARAMCOUNT MAKE_KF_HRESULT(0x8002000E)
#define DISP_E_PARAMNOTOPTIONAL MAKE_KF_HRESULT(0x8002000F)

#define DISPID_UNKNOWN (-1)
#define DISPID_VALUE 0
#define DISPID_PROPERTYPUT (-3)
#define DISPID_NEWENUM (-4)

#define DISPATCH_METHOD 0x1
#define DISPATCH_PROPERTYGET 0x2
#define DISPATCH_PROPERTYPUT 0x4
#define DISPATCH_PROPERTYPUTREF 0x8

#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

inline bool IsEqualGUID(REFGUID a, REFGUID b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}
#define IsEqualIID IsEqualGUID
#define IsEqualCLSID IsEqualGUID
inline bool operator==(REFGUID a, REFGUID b) { return IsEqualGUID(a, b); }
inline bool operator!=(REFGUID a, REFGUID b) { return !IsEqualGUID(a, b); }

extern "C" const GUID GUID_NULL;
#define IID_NULL GUID_NULL

// Interface identity natively: the generated headers specialise this for
// every interface, so `__uuidof(T)` reads the same on both builds.
template <class T> struct KinfoldInterfaceId;
#define __uuidof(T) (KinfoldInterfaceId<T>::iid())
#define KINFOLD_DECLARE_IID(T, iidConstant)                 \
    template <> struct KinfoldInterfaceId<T> {              \
        static const IID& iid() { return iidConstant; }     \
    }
