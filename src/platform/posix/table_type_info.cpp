// ITypeInfo natively: what a host needs to list the members of an object
// (dir() and completion in a scripting language) and to tell properties from
// methods, described from the generated dispatch tables. One object per
// dual interface, made on first use and kept for the life of the process.
#include <memory>
#include <new>

#include "platform/dispatch_support.h"
#include "platform/posix/dispatch_table.h"
#include "platform/text.h"

namespace kinfold {
namespace {

// The interface's members sharing a DISPID (a property's get and put) are
// named by the first of them.
const DispatchMember* FirstWithId(const DispatchInterface& table, MEMBERID id) {
    for (const DispatchMember& member : table)
        if (member.id == id) return &member;
    return nullptr;
}

// A parameter's or result's type as a type library describes an automation
// type; interface pointers are described by the interface they are queried for.
TYPEDESC TypeOf(VARTYPE type) {
    TYPEDESC description{};
    description.vt = type == VT_EMPTY ? static_cast<VARTYPE>(VT_VOID) : type;
    return description;
}

class TableTypeInfo final : public ITypeInfo {
   public:
    explicit TableTypeInfo(const DispatchInterface& table) : table_(table) {}

    // Lives as long as the process, so counting references has nothing to do.
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_ITypeInfo)) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<ITypeInfo*>(this);
        return S_OK;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }

    HRESULT GetTypeAttr(TYPEATTR** attributes) override {
        if (attributes == nullptr) return E_POINTER;
        *attributes = new (std::nothrow) TYPEATTR{};
        if (*attributes == nullptr) return E_OUTOFMEMORY;
        (*attributes)->guid = *table_.iid;
        (*attributes)->memidConstructor = MEMBERID_NIL;
        (*attributes)->memidDestructor = MEMBERID_NIL;
        (*attributes)->typekind = TKIND_DISPATCH;
        (*attributes)->cFuncs = static_cast<WORD>(table_.memberCount);
        (*attributes)->wTypeFlags = TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE;
        return S_OK;
    }
    void ReleaseTypeAttr(TYPEATTR* attributes) override { delete attributes; }

    HRESULT GetFuncDesc(UINT index, FUNCDESC** description) override;
    void ReleaseFuncDesc(FUNCDESC* description) override;

    HRESULT GetNames(MEMBERID id, BSTR* names, UINT max, UINT* count) override;

    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override {
        return DispatchGetIDsOfNames(*table_.iid, names, count, ids);
    }
    HRESULT Invoke(void* instance, MEMBERID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excep, UINT* argErr) override {
        return DispatchInvoke(static_cast<IDispatch*>(instance), *table_.iid, id, flags, params,
                              result, excep, argErr);
    }

    // The interface's name and help string for MEMBERID_NIL, else the
    // member's; no help file or context.
    HRESULT GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* helpContext,
                             BSTR* helpFile) override {
        const char* text = table_.name;
        const char* help = table_.help;
        if (id != MEMBERID_NIL) {
            const DispatchMember* member = FirstWithId(table_, id);
            if (member == nullptr) return TYPE_E_ELEMENTNOTFOUND;
            text = member->name;
            help = member->help;
        }
        if (name != nullptr) *name = nullptr;
        if (doc != nullptr) *doc = nullptr;
        if (name != nullptr && (*name = AllocBstr(text)) == nullptr) return E_OUTOFMEMORY;
        if (doc != nullptr && *help != '\0' && (*doc = AllocBstr(help)) == nullptr) {
            if (name != nullptr) SysFreeString(*name);
            if (name != nullptr) *name = nullptr;
            return E_OUTOFMEMORY;
        }
        if (helpContext != nullptr) *helpContext = 0;
        if (helpFile != nullptr) *helpFile = nullptr;
        return S_OK;
    }

    // Nothing else of a type library exists natively.
    HRESULT GetTypeComp(ITypeComp**) override { return E_NOTIMPL; }
    HRESULT GetVarDesc(UINT, VARDESC**) override { return TYPE_E_ELEMENTNOTFOUND; }
    HRESULT GetRefTypeOfImplType(UINT, HREFTYPE*) override { return TYPE_E_ELEMENTNOTFOUND; }
    HRESULT GetImplTypeFlags(UINT, INT*) override { return TYPE_E_ELEMENTNOTFOUND; }
    HRESULT GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override { return E_NOTIMPL; }
    HRESULT GetRefTypeInfo(HREFTYPE, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT AddressOfMember(MEMBERID, INVOKEKIND, void**) override { return E_NOTIMPL; }
    HRESULT CreateInstance(IUnknown*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT GetMops(MEMBERID, BSTR*) override { return E_NOTIMPL; }
    HRESULT GetContainingTypeLib(ITypeLib**, UINT*) override { return E_NOTIMPL; }
    void ReleaseVarDesc(VARDESC*) override {}

   private:
    const DispatchInterface& table_;
};

// A FUNCDESC and its parameter descriptions in one block, freed as one.
struct FuncDescBlock {
    FUNCDESC description;
    std::unique_ptr<ELEMDESC[]> params;
    std::unique_ptr<PARAMDESCEX[]> defaults;
};

HRESULT TableTypeInfo::GetFuncDesc(UINT index, FUNCDESC** description) {
    if (description == nullptr) return E_POINTER;
    *description = nullptr;
    if (index >= table_.memberCount) return TYPE_E_ELEMENTNOTFOUND;
    const DispatchMember& member = table_.members[index];
    std::unique_ptr<FuncDescBlock> block(new (std::nothrow) FuncDescBlock{});
    if (block == nullptr) return E_OUTOFMEMORY;
    block->params.reset(new (std::nothrow) ELEMDESC[member.paramCount + 1]{});
    block->defaults.reset(new (std::nothrow) PARAMDESCEX[member.paramCount + 1]{});
    if (block->params == nullptr || block->defaults == nullptr) return E_OUTOFMEMORY;
    for (UINT i = 0; i < member.paramCount; ++i) {
        const DispatchParam& param = member.params[i];
        ELEMDESC& element = block->params[i];
        element.tdesc = TypeOf(param.type);
        element.paramdesc.wParamFlags = PARAMFLAG_FIN;
        if (param.optional) element.paramdesc.wParamFlags |= PARAMFLAG_FOPT;
        if (!param.hasDefault) continue;
        PARAMDESCEX& value = block->defaults[i];
        value.cBytes = sizeof(PARAMDESCEX);
        VariantInit(&value.varDefaultValue);
        value.varDefaultValue.vt = param.defaultType;
        if (param.defaultType == VT_BSTR)
            value.varDefaultValue.bstrVal = SysAllocString(param.defaultText);
        else if (param.defaultType == VT_R8)
            value.varDefaultValue.dblVal = param.defaultNumber;
        else
            value.varDefaultValue.lVal = static_cast<LONG>(param.defaultNumber);
        element.paramdesc.pparamdescex = &value;
        element.paramdesc.wParamFlags |= PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT;
    }
    FUNCDESC& out = block->description;
    out.memid = member.id;
    out.lprgelemdescParam = block->params.get();
    out.funckind = FUNC_DISPATCH;
    out.invkind = static_cast<INVOKEKIND>(member.kind);
    out.callconv = CC_STDCALL;
    out.cParams = static_cast<SHORT>(member.paramCount);
    out.elemdescFunc.tdesc = TypeOf(member.resultType);
    // The block starts with its FUNCDESC, so the one pointer frees it all.
    *description = &block.release()->description;
    return S_OK;
}

void TableTypeInfo::ReleaseFuncDesc(FUNCDESC* description) {
    if (description == nullptr) return;
    auto* block = reinterpret_cast<FuncDescBlock*>(description);
    for (UINT i = 0; i < static_cast<UINT>(description->cParams); ++i)
        VariantClear(&block->defaults[i].varDefaultValue);
    delete block;
}

HRESULT TableTypeInfo::GetNames(MEMBERID id, BSTR* names, UINT max, UINT* count) {
    if (names == nullptr || count == nullptr) return E_POINTER;
    *count = 0;
    const DispatchMember* member = FirstWithId(table_, id);
    if (member == nullptr) return TYPE_E_ELEMENTNOTFOUND;
    for (UINT i = 0; i <= member->paramCount && *count < max; ++i) {
        names[*count] = AllocBstr(i == 0 ? member->name : member->params[i - 1].name);
        if (names[*count] == nullptr) {
            while (*count > 0) SysFreeString(names[--*count]);
            return E_OUTOFMEMORY;
        }
        ++*count;
    }
    return S_OK;
}

}  // namespace

HRESULT DispatchGetTypeInfo(REFIID iface, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    const DispatchInterfaceList all = AllDispatchInterfaces();
    const DispatchInterface* table = FindDispatchInterface(iface);
    if (table == nullptr) return TYPE_E_ELEMENTNOTFOUND;
    // One per interface, in the tables' order; made on first use.
    static TableTypeInfo* const* const infos = [all] {
        auto** made = new TableTypeInfo*[static_cast<size_t>(all.end() - all.begin())];
        for (const DispatchInterface* it = all.begin(); it != all.end(); ++it)
            made[it - all.begin()] = new TableTypeInfo(*it);
        return made;
    }();
    *info = infos[table - all.begin()];
    return S_OK;
}

}  // namespace kinfold
