// The type library embedded in our module, which serves IDispatch on Windows:
// what a host reads from it must be the object model, whole.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "kinfold.h"
#include "platform/dispatch_support.h"
#include "support/com_test_support.h"

namespace kinfold::test {
namespace {

std::string NameOf(ITypeInfo* info) {
    Bstr name;
    if (FAILED(info->GetDocumentation(MEMBERID_NIL, name.Out(), nullptr, nullptr, nullptr))) return {};
    return name.Text();
}

// The library that holds IGEDCOMdb, reached the way every object reaches it.
void OpenLibrary(ComPtr<ITypeLib>& library) {
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(S_OK, DispatchGetTypeInfo(IID_IGEDCOMdb, info.Out()));
    UINT index = 0;
    ASSERT_EQ(S_OK, info->GetContainingTypeLib(library.Out(), &index));
}

TEST(TypeLibrary, IdentityAndVersion) {
    ComPtr<ITypeLib> library;
    ASSERT_NO_FATAL_FAILURE(OpenLibrary(library));
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(S_OK, library->GetLibAttr(&attr));
    EXPECT_TRUE(IsEqualGUID(LIBID_KinfoldLib, attr->guid));
    EXPECT_EQ(1, attr->wMajorVerNum);
    EXPECT_EQ(5, attr->wMinorVerNum);
    library->ReleaseTLibAttr(attr);

    Bstr name, help;
    ASSERT_EQ(S_OK, library->GetDocumentation(-1, name.Out(), help.Out(), nullptr, nullptr));
    EXPECT_EQ("KinfoldLib", name.Text());
    EXPECT_EQ("Kinfold 2.0 Type Library", help.Text());
}

// The interface a coclass names with the given implementation flags, by name.
std::string ImplementedInterface(ITypeInfo* coclass, WORD implTypes, int wantedFlags) {
    for (UINT i = 0; i < implTypes; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> iface;
        if (FAILED(coclass->GetImplTypeFlags(i, &flags)) || flags != wantedFlags) continue;
        if (FAILED(coclass->GetRefTypeOfImplType(i, &ref)) ||
            FAILED(coclass->GetRefTypeInfo(ref, iface.Out()))) {
            return "?";
        }
        return NameOf(iface.get());
    }
    return {};
}

TEST(TypeLibrary, DeclaresTheObjectModel) {
    ComPtr<ITypeLib> library;
    ASSERT_NO_FATAL_FAILURE(OpenLibrary(library));
    int dual = 0, coclasses = 0, enums = 0;
    std::set<std::string> dispinterfaces, creatable, hidden;
    for (UINT i = 0, count = library->GetTypeInfoCount(); i < count; ++i) {
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(S_OK, library->GetTypeInfo(i, info.Out()));
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(S_OK, info->GetTypeAttr(&attr));
        const std::string name = NameOf(info.get());
        if (attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL)) {
            ++dual;
            if (attr->wTypeFlags & TYPEFLAG_FHIDDEN) hidden.insert(name);
        } else if (attr->typekind == TKIND_DISPATCH) {
            dispinterfaces.insert(name);
        } else if (attr->typekind == TKIND_COCLASS) {
            ++coclasses;
            if (attr->wTypeFlags & TYPEFLAG_FCANCREATE) creatable.insert(name);
            // Every class serves the interface of its own stem; the database
            // and the assistant the newest version of it, which extends the
            // first.
            const std::string stem = "I" + name +
                                     (name == "GEDCOMdb"      ? "3"
                                      : name == "GDAssistant" ? "2"
                                                              : "");
            EXPECT_EQ(stem,
                      ImplementedInterface(info.get(), attr->cImplTypes, IMPLTYPEFLAG_FDEFAULT));
        } else if (attr->typekind == TKIND_ENUM) {
            ++enums;
        }
        info->ReleaseTypeAttr(attr);
    }
    EXPECT_EQ(48, dual);
    EXPECT_EQ(44, coclasses);
    EXPECT_EQ(5, enums);
    EXPECT_EQ(std::set<std::string>{"_IGEDCOMdbEvents"}, dispinterfaces);
    EXPECT_EQ(std::set<std::string>{"GEDCOMdb"}, creatable);
    EXPECT_EQ(std::set<std::string>{"IGDPointerAccess"}, hidden);
}

TEST(TypeLibrary, GedcomDbSourcesTheEmptyEventInterface) {
    ComPtr<ITypeLib> library;
    ASSERT_NO_FATAL_FAILURE(OpenLibrary(library));
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(S_OK, library->GetTypeInfoOfGuid(CLSID_GEDCOMdb, coclass.Out()));
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(S_OK, coclass->GetTypeAttr(&attr));
    const WORD implTypes = attr->cImplTypes;
    coclass->ReleaseTypeAttr(attr);
    EXPECT_EQ("_IGEDCOMdbEvents", ImplementedInterface(coclass.get(), implTypes,
                                                       IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE));

    ComPtr<ITypeInfo> events;
    ASSERT_EQ(S_OK, library->GetTypeInfoOfGuid(DIID__IGEDCOMdbEvents, events.Out()));
    ASSERT_EQ(S_OK, events->GetTypeAttr(&attr));
    EXPECT_EQ(0, attr->cFuncs);
    EXPECT_EQ(0, attr->cVars);
    events->ReleaseTypeAttr(attr);
}

TEST(DispatchSupport, TypeInfoOutParameter) {
    EXPECT_EQ(E_POINTER, DispatchGetTypeInfo(IID_IGEDCOMdb, nullptr));

    // Only our own interfaces are described; the out-parameter is cleared.
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(0x1);
    EXPECT_EQ(TYPE_E_ELEMENTNOTFOUND, DispatchGetTypeInfo(IID_IClassFactory, &info));
    EXPECT_EQ(nullptr, info);

    ComPtr<ITypeInfo> first, second;
    ASSERT_EQ(S_OK, DispatchGetTypeInfo(IID_IGEDCOMdb, first.Out()));
    ASSERT_EQ(S_OK, DispatchGetTypeInfo(IID_IGEDCOMdb, second.Out()));
    EXPECT_EQ(first.get(), second.get());
}

TEST(DispatchSupport, NamesResolveWithoutRegardToCase) {
    struct Case {
        const wchar_t* name;
        HRESULT hr;
    };
    const Case cases[] = {
        {L"LoadGEDCOMFile", S_OK},
        {L"loadgedcomfile", S_OK},
        {L"LOADGEDCOMFILE", S_OK},
        {L"LoadGEDCOMFil", DISP_E_UNKNOWNNAME},
        {L"", DISP_E_UNKNOWNNAME},
    };
    DISPID expected = 0;
    LPOLESTR exact = const_cast<LPOLESTR>(L"LoadGEDCOMFile");
    ASSERT_EQ(S_OK, DispatchGetIDsOfNames(IID_IGEDCOMdb, &exact, 1, &expected));
    for (const Case& c : cases) {
        LPOLESTR name = const_cast<LPOLESTR>(c.name);
        DISPID id = 12345;
        EXPECT_EQ(c.hr, DispatchGetIDsOfNames(IID_IGEDCOMdb, &name, 1, &id)) << c.name;
        EXPECT_EQ(c.hr == S_OK ? expected : DISPID_UNKNOWN, id);
    }
}

}  // namespace
}  // namespace kinfold::test

#endif  // _WIN32
