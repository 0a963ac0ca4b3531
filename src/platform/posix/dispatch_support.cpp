// IDispatch natively, from the tables generated out of kinfold.idl. The
// behaviour follows oleaut32's ITypeInfo::Invoke as the Windows build sees
// it under Wine, so a host gets the same answers from both builds.
#include "platform/dispatch_support.h"

#include <new>

#include "platform/posix/dispatch_arguments.h"
#include "platform/posix/dispatch_table.h"

namespace kinfold {
namespace {

bool SameNameAscii(const char* name, const OLECHAR* candidate) {
    auto lower = [](char32_t c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    for (; *name && *candidate; ++name, ++candidate)
        if (lower(static_cast<unsigned char>(*name)) != lower(*candidate)) return false;
    return *name == 0 && *candidate == 0;
}

const DispatchMember* MemberNamed(const DispatchInterface& table, const OLECHAR* name) {
    for (const DispatchMember& member : table)
        if (SameNameAscii(member.name, name)) return &member;
    return nullptr;
}

// Parameter names count from 0 in declaration order; the retval is last.
DISPID ParamNamed(const DispatchMember& member, const OLECHAR* name) {
    for (UINT i = 0; i < member.paramCount; ++i)
        if (SameNameAscii(member.params[i].name, name)) return static_cast<DISPID>(i);
    if (member.resultName && SameNameAscii(member.resultName, name))
        return static_cast<DISPID>(member.paramCount);
    return DISPID_UNKNOWN;
}

// The first member with that DISPID whose kind the flags allow; hosts send
// DISPATCH_METHOD | DISPATCH_PROPERTYGET for both reads and calls.
const DispatchMember* MemberFor(const DispatchInterface& table, DISPID id, WORD flags) {
    for (const DispatchMember& member : table)
        if (member.id == id && (static_cast<WORD>(member.kind) & flags)) return &member;
    return nullptr;
}

// A failed member reaches the host as DISP_E_EXCEPTION carrying the
// member's code and the thread's error information. Without an EXCEPINFO
// the error information stays where the member left it.
HRESULT RaiseException(HRESULT failure, EXCEPINFO* excep) {
    if (!excep) return DISP_E_EXCEPTION;
    *excep = EXCEPINFO{};
    excep->scode = failure;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        info->GetSource(&excep->bstrSource);
        info->GetDescription(&excep->bstrDescription);
        info->GetHelpFile(&excep->bstrHelpFile);
        info->GetHelpContext(&excep->dwHelpContext);
        info->Release();
    }
    return DISP_E_EXCEPTION;
}

// The retval goes to the host even when the member failed, as oleaut32 hands
// it on; with no place for it, it is freed.
void HandOver(VARIANT* value, VARIANT* result) {
    if (result)
        *result = *value;
    else
        VariantClear(value);
}

// A property without parameters read with arguments: the arguments belong
// to the default member of the object it returns, so that coll.Names(1)
// means coll.Names.Item(1).
HRESULT InvokeDefaultOfResult(void* instance, const DispatchMember& member, WORD flags,
                              DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (!result) return DISP_E_BADPARAMCOUNT;
    VariantInit(result);
    VARIANT object;
    VariantInit(&object);
    const HRESULT hr = member.thunk(instance, nullptr, &object);
    if (FAILED(hr)) {
        HandOver(&object, result);
        return RaiseException(hr, excep);
    }
    HRESULT outcome = DISP_E_NOTACOLLECTION;
    if (object.vt == VT_DISPATCH && object.pdispVal)
        outcome = object.pdispVal->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, flags,
                                          params, result, excep, argErr);
    VariantClear(&object);
    return outcome;
}

HRESULT InvokeMember(void* instance, const DispatchMember& member, WORD flags, DISPPARAMS* params,
                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (member.kind == DispatchKind::PropertyGet && member.paramCount == 0 && params->cArgs > 0)
        return InvokeDefaultOfResult(instance, member, flags, params, result, excep, argErr);
    DispatchArguments arguments;
    HRESULT hr = arguments.Prepare(member, *params, argErr);
    if (FAILED(hr)) return hr;
    VARIANT value;
    VariantInit(&value);
    hr = member.thunk(instance, arguments.Values(), &value);
    if (member.resultType != VT_EMPTY) HandOver(&value, result);
    return FAILED(hr) ? RaiseException(hr, excep) : hr;
}

}  // namespace

HRESULT DispatchGetIDsOfNames(REFIID iface, LPOLESTR* names, UINT count, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    const DispatchInterface* table = FindDispatchInterface(iface);
    if (!table) return TYPE_E_ELEMENTNOTFOUND;
    if (count == 0) return S_OK;
    const DispatchMember* member = names[0] ? MemberNamed(*table, names[0]) : nullptr;
    if (!member) {
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    ids[0] = member->id;
    HRESULT hr = S_OK;
    for (UINT i = 1; i < count; ++i) {
        ids[i] = names[i] ? ParamNamed(*member, names[i]) : DISPID_UNKNOWN;
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT DispatchInvoke(IDispatch* self, REFIID iface, DISPID id, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (!self || !params) return E_POINTER;
    const DispatchInterface* table = FindDispatchInterface(iface);
    if (!table) return TYPE_E_ELEMENTNOTFOUND;
    const DispatchMember* member = MemberFor(*table, id, flags);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    // The thunk calls through the vtable of `iface`, so it needs that
    // interface's pointer, whichever IDispatch the call came in on.
    void* instance = nullptr;
    HRESULT hr = self->QueryInterface(iface, &instance);
    if (FAILED(hr)) return hr;
#if defined(KINFOLD_FAULT_INJECTION)
    // Windows' own dispatcher lets a member's exception through to the host;
    // so does this one in the build that makes allocations fail, so that its
    // suite finds any member that throws.
    hr = InvokeMember(instance, *member, flags, params, result, excep, argErr);
#else
    try {
        hr = InvokeMember(instance, *member, flags, params, result, excep, argErr);
    } catch (const std::bad_alloc&) {
        // A member that ran out of memory part way: the host gets the code
        // the member owed it rather than an exception it cannot catch.
        hr = RaiseException(E_OUTOFMEMORY, excep);
    }
#endif
    static_cast<IUnknown*>(instance)->Release();
    return hr;
}

}  // namespace kinfold
