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
        std::vector<USHORT> flags;      // of each parameter, less PARAMFLAG_FIN
        const char* defaultValue = "";  // of the parameter that has one
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
         {0, 0, PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT},
         "I4 0"},
        // A newer interface describes what it inherits as well as its own.
        {&IID_IGDAssistant2, "Soundex", INVOKE_FUNC, {"Soundex", "Name"}, {0}},
        {&IID_IGDAssistant2,
         "PhoneticCodes",
         INVOKE_FUNC,
         {"PhoneticCodes", "Name", "Method"},
         {0, PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT},
         "BSTR soundex"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.member);
        ComPtr<ITypeInfo> info;
        TypeInfoOf(*c.iid, info);
        MemberDescription member(info.get(), c.member, c.kind);
        ASSERT_TRUE(member);
        ASSERT_EQ(member->cParams, static_cast<SHORT>(c.flags.size()));
        for (size_t i = 0; i < c.flags.size(); ++i) {
            const PARAMDESC& parameter = member->lprgelemdescParam[i].paramdesc;
            EXPECT_EQ(parameter.wParamFlags & ~PARAMFLAG_FIN, c.flags[i]) << "parameter " << i;
            if (!(c.flags[i] & PARAMFLAG_FHASDEFAULT)) continue;
            // The default value comes with its parameter.
            ASSERT_NE(parameter.pparamdescex, nullptr);
            const VARIANT& value = parameter.pparamdescex->varDefaultValue;
            EXPECT_EQ(value.vt == VT_BSTR ? "BSTR " + BstrToText(value.bstrVal)
                      : value.vt == VT_I4 ? "I4 " + std::to_string(value.lVal)
                                          : "vt " + std::to_string(value.vt),
                      c.defaultValue);
        }
        // A property's put names only the property: its value has no name
        // a host could pass.
        if (c.kind == INVOKE_PROPERTYPUT || c.kind == INVOKE_PROPERTYPUTREF)
            EXPECT_EQ(member.Names().front(), c.names.front());
        else
            EXPECT_EQ(member.Names(), c.names);
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
