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

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string GuidKey(const GUID& guid) {
    return std::string(reinterpret_cast<const char*>(&guid), sizeof(guid));
}

std::string NameOf(ITypeInfo* info, MEMBERID id) {
    BSTR name = nullptr;
    if (FAILED(info->GetDocumentation(id, &name, nullptr, nullptr, nullptr))) return "";
    std::string text = BstrToText(name);
    SysFreeString(name);
    return text;
}

void AddMember(ITypeInfo* info, const FUNCDESC& description, MemberTable* table) {
    if (description.wFuncFlags & kRestricted) return;
    const std::string name = NameOf(info, description.memid);
    if (name.empty()) return;
    auto [entry, added] = table->byLowerName.emplace(Lower(name), MemberInfo{});
    if (added) table->names.push_back(name);
    MemberInfo& member = entry->second;
    member.id = description.memid;
    switch (description.invkind) {
        case INVOKE_FUNC: member.method = true; break;
        case INVOKE_PROPERTYGET:
            member.get = true;
            member.getParams = description.cParams;
            break;
        case INVOKE_PROPERTYPUT: member.put = true; break;
        case INVOKE_PROPERTYPUTREF: member.putRef = true; break;
    }
}

std::unique_ptr<MemberTable> ReadMembers(ITypeInfo* info, const TYPEATTR& attributes) {
    auto table = std::make_unique<MemberTable>();
    table->interfaceName = NameOf(info, MEMBERID_NIL);
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
