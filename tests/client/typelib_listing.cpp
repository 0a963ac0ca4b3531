// Prints every member of every dual interface as a Windows host sees it
// through IDispatch: read from the registered type library (the dispatch side
// of each dual interface), one sorted line per member and invoke kind:
// "<interface> <member> <dispid> <kind> <parameter count>". The native
// kinfold_dispatch_listing prints the same from the compiled dispatch tables;
// scripts/test.sh compares the two.
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "kinfold.h"

namespace {

std::string Narrow(const OLECHAR* text) {
    std::string out;
    for (; text != nullptr && *text != 0; ++text) out += static_cast<char>(*text);
    return out;
}

const char* KindName(INVOKEKIND kind) {
    switch (kind) {
        case INVOKE_FUNC:
            return "method";
        case INVOKE_PROPERTYGET:
            return "get";
        case INVOKE_PROPERTYPUT:
            return "put";
        case INVOKE_PROPERTYPUTREF:
            return "putref";
    }
    return "?";
}

// IUnknown and IDispatch come with every dual interface; hosts never call
// them by DISPID, and the native tables leave them out.
bool IsBaseMember(const std::string& name) {
    static const char* const kBase[] = {
        "QueryInterface", "AddRef",        "Release", "GetTypeInfoCount",
        "GetTypeInfo",    "GetIDsOfNames", "Invoke"};
    return std::find(std::begin(kBase), std::end(kBase), name) != std::end(kBase);
}

std::string NameOf(ITypeInfo* info, MEMBERID id) {
    BSTR name = nullptr;
    if (FAILED(info->GetDocumentation(id, &name, nullptr, nullptr, nullptr))) return "?";
    std::string text = Narrow(name);
    SysFreeString(name);
    return text;
}

// The dispatch side of the dual interface `iid`, looked up by its IID as a
// host does; nullptr when it is not a dual interface.
ITypeInfo* DispatchSide(ITypeLib* lib, REFGUID iid) {
    ITypeInfo* info = nullptr;
    if (FAILED(lib->GetTypeInfoOfGuid(iid, &info))) return nullptr;
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) {
        info->Release();
        return nullptr;
    }
    const TYPEKIND kind = attr->typekind;
    const bool dual = (attr->wTypeFlags & TYPEFLAG_FDUAL) != 0;
    info->ReleaseTypeAttr(attr);
    if (!dual) {
        info->Release();
        return nullptr;
    }
    if (kind == TKIND_DISPATCH) return info;
    // The interface side leads to the dispatch side through impltype -1.
    HREFTYPE ref = 0;
    ITypeInfo* dispatch = nullptr;
    if (FAILED(info->GetRefTypeOfImplType(-1, &ref)) ||
        FAILED(info->GetRefTypeInfo(ref, &dispatch)))
        dispatch = nullptr;
    info->Release();
    return dispatch;
}

void ListMembers(ITypeInfo* info, std::vector<std::string>& lines) {
    const std::string iface = NameOf(info, MEMBERID_NIL);
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return;
    const WORD count = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    for (WORD i = 0; i < count; ++i) {
        FUNCDESC* func = nullptr;
        if (FAILED(info->GetFuncDesc(i, &func))) continue;
        const std::string name = NameOf(info, func->memid);
        if (!IsBaseMember(name)) {
            lines.push_back(iface + ' ' + name + ' ' + std::to_string(func->memid) + ' ' +
                            KindName(func->invkind) + ' ' + std::to_string(func->cParams));
        }
        info->ReleaseFuncDesc(func);
    }
}

}  // namespace

int main() {
    if (FAILED(CoInitialize(nullptr))) return 2;
    ITypeLib* lib = nullptr;
    const HRESULT hr = LoadRegTypeLib(LIBID_KinfoldLib, 1, 0, LOCALE_NEUTRAL, &lib);
    if (FAILED(hr)) {
        std::fprintf(stderr, "LoadRegTypeLib failed: 0x%08lX\n", static_cast<unsigned long>(hr));
        CoUninitialize();
        return 1;
    }
    // Every interface the library describes, each then found by its IID
    // (once, should both sides of a dual interface be listed).
    std::vector<std::string> lines;
    std::vector<GUID> seen;
    const UINT count = lib->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        TYPEKIND kind;
        if (FAILED(lib->GetTypeInfoType(i, &kind))) continue;
        if (kind != TKIND_INTERFACE && kind != TKIND_DISPATCH) continue;
        ITypeInfo* info = nullptr;
        if (FAILED(lib->GetTypeInfo(i, &info))) continue;
        TYPEATTR* attr = nullptr;
        GUID iid = GUID_NULL;
        if (SUCCEEDED(info->GetTypeAttr(&attr))) {
            iid = attr->guid;
            info->ReleaseTypeAttr(attr);
        }
        info->Release();
        const auto same = [&iid](const GUID& other) { return IsEqualGUID(other, iid) != 0; };
        if (std::any_of(seen.begin(), seen.end(), same)) continue;
        seen.push_back(iid);
        if (ITypeInfo* dispatch = DispatchSide(lib, iid)) {
            ListMembers(dispatch, lines);
            dispatch->Release();
        }
    }
    lib->Release();
    CoUninitialize();
    std::sort(lines.begin(), lines.end());
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
    return lines.empty() ? 1 : 0;
}
