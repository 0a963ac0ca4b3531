// What a scripting host reads from an object's type information to list its
// members and tell properties from methods: the same answers natively (from
// the generated tables) and on Windows (from the type library).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kinfold.h"
#include "platform/dispatch_support.h"
#include "platform/text.h"
#include "support/com_test_support.h"

namespace kinfold::test {
namespace {

// The FUNCDESC of `name` with that invoke kind, looked up as a host does:
// the name gives the MEMBERID, the MEMBERID and kind pick the description.
class MemberDescription {
   public:
    MemberDescription(ITypeInfo* info, const char* name, INVOKEKIND kind) : info_(info) {
        Bstr wanted(name);
        LPOLESTR names[] = {wanted.get()};
        MEMBERID id = MEMBERID_NIL;
        if (FAILED(info->GetIDsOfNames(names, 1, &id))) return;
        TYPEATTR* attributes = nullptr;
        if (FAILED(info->GetTypeAttr(&attributes))) return;
        for (UINT i = 0; i < attributes->cFuncs && description_ == nullptr; ++i) {
            FUNCDESC* candidate = nullptr;
            if (FAILED(info->GetFuncDesc(i, &candidate))) continue;
            if (candidate->memid == id && candidate->invkind == kind)
                description_ = candidate;
            else
                info->ReleaseFuncDesc(candidate);
        }
        info->ReleaseTypeAttr(attributes);
    }
    ~MemberDescription() {
        if (description_ != nullptr) info_->ReleaseFuncDesc(description_);
    }
    MemberDescription(const MemberDescription&) = delete;
    MemberDescription& operator=(const MemberDescription&) = delete;

    const FUNCDESC* operator->() const { return description_; }
    explicit operator bool() const { return description_ != nullptr; }

    // The member's name followed by its parameters' names.
    std::vector<std::string> Names() const {
        BSTR names[8] = {};
        UINT count = 0;
        std::vector<std::string> result;
        if (FAILED(info_->GetNames(description_->memid, names, 8, &count))) return result;
        for (UINT i = 0; i < count; ++i) {
            result.push_back(BstrToText(names[i]));
            SysFreeString(names[i]);
        }
        return result;
    }

   private:
    ITypeInfo* info_;
    FUNCDESC* description_ = nullptr;
};

ITypeInfo* TypeInfoOf(REFIID iid, ComPtr<ITypeInfo>& info) {
    EXPECT_EQ(DispatchGetTypeInfo(iid, info.Out()), S_OK);
    return info.get();
}

TEST(MemberTypeInfoTest, DescribesTheInterface) {
    ComPtr<ITypeInfo> info;
    TypeInfoOf(IID_IGEDCOMdb, info);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, IID_IGEDCOMdb));
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
    // Every member of the interface is described (Windows adds the
    // inherited IUnknown and IDispatch ones).
    EXPECT_GE(attributes->cFuncs, 35);
    info->ReleaseTypeAttr(attributes);

    Bstr name, help;
    EXPECT_EQ(info->GetDocumentation(MEMBERID_NIL, name.Out(), help.Out(), nullptr, nullptr), S_OK);
    EXPECT_EQ(name.Text(), "IGEDCOMdb");
    EXPECT_EQ(help.Text(), "GEDCOM database");
    // The help string of a member, which late-bound hosts show as its help.
    EXPECT_EQ(info->GetDocumentation(1, name.Out(), help.Out(), nullptr, nullptr), S_OK);
    EXPECT_EQ(name.Text(), "LoadGEDCOMFile");
    EXPECT_EQ(help.Text(), "Loads a GEDCOM file");
}

TEST(MemberTypeInfoTest, TellsPropertiesFromMethodsWithTheirParameters) {
    const struct {
        const IID* iid;
        const char* member;
        INVOKEKIND kind;
        std::vector<std::string> names;
        std::vector<USHORT> flags;  // of each parameter, less PARAMFLAG_FIN
    } cases[] = {
        {&IID_IGEDCOMdb, "LoadGEDCOMFile", INVOKE_FUNC, {"LoadGEDCOMFile", "FileName"}, {0}},
        {&IID_IGEDCOMdb, "individuals", INVOKE_PROPERTYGET, {"Individuals"}, {}},
        {&IID_IGEDCOMdb, "ReturnBlankNames", INVOKE_PROPERTYPUT, {"ReturnBlankNames"}, {0}},
        {&IID_IGDIndividualRecord,
         "Events",
         INVOKE_PROPERTYGET,
         {"Events", "Tag"},
         {PARAMFLAG_FOPT}},
        {&IID_IGDIndividualRecord, "Tag", INVOKE_PROPERTYPUTREF, {"Tag"}, {0}},
        {&IID_IGDAssistant,
         "ExtractIndividuals",
         INVOKE_FUNC,
         {"ExtractIndividuals", "SubCategory", "Criteria", "SortOrder"},
         {0, 0, PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT}},
        // A newer interface describes what it inherits as well as its own.
        {&IID_IGDAssistant2, "Soundex", INVOKE_FUNC, {"Soundex", "Name"}, {0}},
        {&IID_IGDAssistant2,
         "PhoneticCodes",
         INVOKE_FUNC,
         {"PhoneticCodes", "Name", "Method"},
         {0, PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.member);
        ComPtr<ITypeInfo> info;
        TypeInfoOf(*c.iid, info);
        MemberDescription member(info.get(), c.member, c.kind);
        ASSERT_TRUE(member);
        ASSERT_EQ(member->cParams, static_cast<SHORT>(c.flags.size()));
        for (size_t i = 0; i < c.flags.size(); ++i)
            EXPECT_EQ(member->lprgelemdescParam[i].paramdesc.wParamFlags & ~PARAMFLAG_FIN,
                      c.flags[i])
                << "parameter " << i;
        // A property's put names only the property: its value has no name
        // a host could pass.
        if (c.kind == INVOKE_PROPERTYPUT || c.kind == INVOKE_PROPERTYPUTREF)
            EXPECT_EQ(member.Names().front(), c.names.front());
        else
            EXPECT_EQ(member.Names(), c.names);
    }
}

TEST(MemberTypeInfoTest, DefaultValuesComeWithTheirParameter) {
    const struct {
        const IID* iid;
        const char* member;
        size_t parameter;
        VARTYPE type;
        const char* value;
    } cases[] = {
        {&IID_IGDAssistant, "ExtractIndividuals", 2, VT_I4, "0"},
        {&IID_IGDAssistant2, "PhoneticCodes", 1, VT_BSTR, "soundex"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.member);
        ComPtr<ITypeInfo> info;
        TypeInfoOf(*c.iid, info);
        MemberDescription member(info.get(), c.member, INVOKE_FUNC);
        ASSERT_TRUE(member);
        const PARAMDESC& parameter = member->lprgelemdescParam[c.parameter].paramdesc;
        ASSERT_NE(parameter.pparamdescex, nullptr);
        const VARIANT& value = parameter.pparamdescex->varDefaultValue;
        ASSERT_EQ(value.vt, c.type);
        EXPECT_EQ(c.type == VT_BSTR ? BstrToText(value.bstrVal) : std::to_string(value.lVal),
                  c.value);
    }
}

TEST(MemberTypeInfoTest, ObjectsHandOutTheirTypeInfo) {
    ComPtr<IGEDCOMdb> db = NewDatabase();
    UINT count = 0;
    EXPECT_EQ(db->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(db->GetTypeInfo(0, 0, info.Out()), S_OK);
    // The database describes itself by its newest interface, so that a
    // late-bound host finds every member.
    ComPtr<ITypeInfo> direct;
    EXPECT_EQ(info.get(), TypeInfoOf(IID_IGEDCOMdb3, direct));
    EXPECT_EQ(db->GetTypeInfo(1, 0, info.Out()), DISP_E_BADINDEX);
    EXPECT_EQ(info.get(), nullptr);
}

}  // namespace
}  // namespace kinfold::test
