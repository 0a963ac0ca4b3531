// The members of each interface as its type information describes them:
// kinds, parameters and help strings, read once per interface.
#include <algorithm>
#include <cctype>
#include <memory>

#include "binding.h"
#include "platform/text.h"

namespace kinfold::python {
namespace {

// Members that a host never calls itself (those of IUnknown and IDispatch in
// a type library) are marked restricted.
constexpr WORD kRestricted = 0x1;

std::string GuidKey(const GUID& guid) {
    return std::string(reinterpret_cast<const char*>(&guid), sizeof(guid));
}

// The name and help string the type information gives `id`.
void Document(ITypeInfo* info, MEMBERID id, std::string* name, std::string* help) {
    BSTR nameText = nullptr, helpText = nullptr;
    if (FAILED(info->GetDocumentation(id, &nameText, &helpText, nullptr, nullptr))) return;
    *name = BstrToText(nameText);
    *help = BstrToText(helpText);
    SysFreeString(nameText);
    SysFreeString(helpText);
}

// A type as a Python reader knows it.
const char* TypeName(const TYPEDESC& type) {
    switch (type.vt) {
        case VT_BSTR:
            return "str";
        case VT_BOOL:
            return "bool";
        case VT_I1:
        case VT_UI1:
        case VT_I2:
        case VT_UI2:
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_I8:
        case VT_UI8:
            return "int";
        case VT_R4:
        case VT_R8:
        case VT_DATE:
            return "float";
        case VT_DISPATCH:
        case VT_UNKNOWN:
            return "object";
        case VT_VOID:
        case VT_HRESULT:
        case VT_EMPTY:
            return "None";
        default:
            return "any";
    }
}

bool Optional(const ELEMDESC& param) {
    return (param.paramdesc.wParamFlags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT)) != 0;
}

// "Name(First, [Second]) -> str"; without parentheses for a property that
// takes no arguments.
std::string Signature(ITypeInfo* info, const FUNCDESC& description, const std::string& name) {
    std::string text = name;
    const UINT params = static_cast<UINT>(description.cParams);
    if (description.invkind == INVOKE_FUNC || params > 0) {
        std::vector<BSTR> names(params + 1, nullptr);
        UINT count = 0;
        if (FAILED(info->GetNames(description.memid, names.data(), params + 1, &count))) count = 0;
        text += '(';
        for (UINT i = 0; i < params; ++i) {
            const std::string param = i + 1 < count ? BstrToText(names[i + 1]) : "arg";
            if (i > 0) text += ", ";
            text += Optional(description.lprgelemdescParam[i]) ? "[" + param + "]" : param;
        }
        text += ')';
        for (UINT i = 0; i < count; ++i) SysFreeString(names[i]);
    }
    return text + " -> " + TypeName(description.elemdescFunc.tdesc);
}

bool ReadsWithoutArguments(const FUNCDESC& description) {
    const VARTYPE result = description.elemdescFunc.tdesc.vt;
    if (result != VT_DISPATCH && result != VT_UNKNOWN) return false;
    for (SHORT i = 0; i < description.cParams; ++i)
        if (!Optional(description.lprgelemdescParam[i])) return false;
    return true;
}

void AddMember(ITypeInfo* info, const FUNCDESC& description, MemberTable* table) {
    if (description.wFuncFlags & kRestricted) return;
    std::string name, help;
    Document(info, description.memid, &name, &help);
    if (name.empty()) return;
    auto [entry, added] = table->byLowerName.emplace(LowerName(name), MemberInfo{});
    if (added) table->names.push_back(name);
    MemberInfo& member = entry->second;
    member.id = description.memid;
    if (member.help.empty()) member.help = help;
    switch (description.invkind) {
        case INVOKE_FUNC:
            member.method = true;
            member.signature = Signature(info, description, name);
            break;
        case INVOKE_PROPERTYGET:
            member.get = true;
            member.getParams = description.cParams;
            member.readsWithoutArguments =
                description.cParams > 0 && ReadsWithoutArguments(description);
            member.signature = Signature(info, description, name);
            break;
        case INVOKE_PROPERTYPUT:
            member.put = true;
            break;
        case INVOKE_PROPERTYPUTREF:
            member.putRef = true;
            break;
    }
    // A property that can only be set is described by its name.
    if (member.signature.empty()) member.signature = name;
}

std::unique_ptr<MemberTable> ReadMembers(ITypeInfo* info, const TYPEATTR& attributes) {
    auto table = std::make_unique<MemberTable>();
    Document(info, MEMBERID_NIL, &table->interfaceName, &table->help);
    for (UINT i = 0; i < attributes.cFuncs; ++i) {
        FUNCDESC* description = nullptr;
        if (FAILED(info->GetFuncDesc(i, &description))) continue;
        AddMember(info, *description, table.get());
        info->ReleaseFuncDesc(description);
    }
    std::sort(table->names.begin(), table->names.end());
    return table;
}

}  // namespace

std::string LowerName(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

const MemberInfo* FindMember(const MemberTable* table, const std::string& name) {
    if (table == nullptr) return nullptr;
    auto found = table->byLowerName.find(LowerName(name));
    return found != table->byLowerName.end() ? &found->second : nullptr;
}

const MemberTable* MembersOf(IDispatch* dispatch) {
    static std::map<std::string, std::unique_ptr<MemberTable>> tables;
    ITypeInfo* info = nullptr;
    if (FAILED(dispatch->GetTypeInfo(0, 0, &info)) || info == nullptr) return nullptr;
    const MemberTable* found = nullptr;
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attributes))) {
        std::unique_ptr<MemberTable>& table = tables[GuidKey(attributes->guid)];
        if (table == nullptr) table = ReadMembers(info, *attributes);
        found = table.get();
        info->ReleaseTypeAttr(attributes);
    }
    info->Release();
    return found;
}

}  // namespace kinfold::python
