// What a host's IDispatch::Invoke call turns into: which member runs, with
// which arguments, and what comes back. The objects are recording
// implementations of real interfaces; their IDispatch is the shared one.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dispatch/host_arguments.h"
#include "dispatch/recording_objects.h"

namespace kinfold::test {
namespace {

constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;  // what hosts send for reads and calls
constexpr WORD kPut = DISPATCH_PROPERTYPUT;
constexpr WORD kPutRef = DISPATCH_PROPERTYPUTREF;
constexpr UINT kUntouched = 12345;
const char* const kResultUntouched = "I2:999";
const char* const kNoException = "00000000|(null)|(null)";

// Wine's oleaut32 leaves puArgErr alone; Windows and the native build name
// the argument at fault.
constexpr UINT ArgErr([[maybe_unused]] UINT index) {
#ifdef _WIN32
    return kUntouched;
#else
    return index;
#endif
}

enum class Target { Assistant, Name, Names };

struct InvokeCase {
    const char* what;
    Target target;
    const char* member;  // resolved through GetIDsOfNames; nullptr: use `id`
    DISPID id;
    WORD flags;
    std::vector<Arg> args;
    std::vector<std::pair<DISPID, Arg>> named;
    HRESULT expected;
    const char* calls;
    const char* result;  // nullptr: no result wanted
    UINT argErr = kUntouched;
    const char* exception = kNoException;
};

std::string DescribeException(const EXCEPINFO& excep) {
    return Hex(excep.scode) + "|" + Narrow(excep.bstrSource) + "|" + Narrow(excep.bstrDescription);
}

class DispatchInvokeTest : public ::testing::Test {
protected:
    void SetUp() override { CallLog().clear(); }

    IDispatch* TargetOf(Target target) {
        switch (target) {
            case Target::Assistant:
                return &assistant;
            case Target::Name:
                return &name;
            case Target::Names:
                return &name.names;
        }
        return nullptr;
    }

    DISPID IdOf(IDispatch* target, const char* member) {
        BSTR text = MakeBstr(member);
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(S_OK, target->GetIDsOfNames(IID_NULL, &text, 1, LOCALE_USER_DEFAULT, &id)) << member;
        SysFreeString(text);
        return id;
    }

    void Run(const InvokeCase& c) {
        SCOPED_TRACE(c.what);
        CallLog().clear();
        IDispatch* target = TargetOf(c.target);
        const DISPID id = c.member ? IdOf(target, c.member) : c.id;
        HostArguments args(c.args, c.named);
        VARIANT result;
        VariantInit(&result);
        result.vt = VT_I2;
        result.iVal = 999;
        EXCEPINFO excep{};
        UINT argErr = kUntouched;
        const HRESULT hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, c.flags, args.Params(),
                                          c.result ? &result : nullptr, &excep, &argErr);
        EXPECT_EQ(Hex(c.expected), Hex(hr));
        EXPECT_EQ(c.calls, CallLog());
        if (c.result) {
            EXPECT_EQ(c.result, Describe(result));
        }
        EXPECT_EQ(c.argErr, argErr);
        EXPECT_EQ(c.exception, DescribeException(excep));
        VariantClear(&result);
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
        ExpectNoReferencesLeft();
    }

    void ExpectNoReferencesLeft() {
        EXPECT_EQ(1u, assistant.refs);
        EXPECT_EQ(1u, name.refs);
        EXPECT_EQ(1u, name.names.refs);
        EXPECT_EQ(1u, individual.refs);
        EXPECT_EQ(1u, foreign.refs);
        EXPECT_EQ(1u, enumerator.refs);
    }

    Token enumerator{"enumerator", nullptr};
    Token individual{"individual", &IID_IGDIndividualRecord};
    Token foreign{"foreign", nullptr};
    RecordingAssistant assistant;
    RecordingName name{&enumerator};
};

TEST_F(DispatchInvokeTest, ChoosesTheMemberByDispidAndFlags) {
    const InvokeCase cases[] = {
        {"read of a property", Target::Name, "FullName", 0, kGet, {}, {}, S_OK, "get_FullName",
         "BSTR:John /Smith/"},
        {"read with the property flag alone", Target::Name, "FullName", 0, DISPATCH_PROPERTYGET, {}, {},
         S_OK, "get_FullName", "BSTR:John /Smith/"},
        {"a property is not a method", Target::Name, "FullName", 0, DISPATCH_METHOD, {}, {},
         DISP_E_MEMBERNOTFOUND, "", kResultUntouched},
        {"a method is not a property", Target::Assistant, "Soundex", 0, DISPATCH_PROPERTYGET, {Str("x")},
         {}, DISP_E_MEMBERNOTFOUND, "", kResultUntouched},
        {"put of a VARIANT", Target::Name, "Tag", 0, kPut, {}, {{DISPID_PROPERTYPUT, I4(3)}}, S_OK,
         "put_Tag(I4:3)", kResultUntouched},
        {"putref of the same property", Target::Name, "Tag", 0, kPutRef, {},
         {{DISPID_PROPERTYPUT, Str("ref")}}, S_OK, "putref_Tag(BSTR:ref)", kResultUntouched},
        {"put converts to the property's type", Target::Name, "Confidential", 0, kPut, {},
         {{DISPID_PROPERTYPUT, I4(5)}}, S_OK, "put_Confidential(-1)", kResultUntouched},
        {"put without the named DISPID_PROPERTYPUT", Target::Name, "Tag", 0, kPut, {I4(3)}, {},
         DISP_E_PARAMNOTFOUND, "", kResultUntouched},
        {"put of a read-only property", Target::Name, "FullName", 0, kPut, {},
         {{DISPID_PROPERTYPUT, I4(3)}}, DISP_E_MEMBERNOTFOUND, "", kResultUntouched},
        // No fallback from putref to put (nor back), as in oleaut32.
        {"putref of a put-only property", Target::Name, "Confidential", 0, kPutRef, {},
         {{DISPID_PROPERTYPUT, I4(1)}}, DISP_E_MEMBERNOTFOUND, "", kResultUntouched},
        {"unknown DISPID", Target::Name, nullptr, 999, kGet, {}, {}, DISP_E_MEMBERNOTFOUND, "",
         kResultUntouched},
        {"no flags", Target::Name, "FullName", 0, 0, {}, {}, DISP_E_MEMBERNOTFOUND, "",
         kResultUntouched},
    };
    for (const InvokeCase& c : cases) Run(c);
}

TEST_F(DispatchInvokeTest, MapsAndConvertsArguments) {
    const InvokeCase cases[] = {
        {"defaulted argument left out", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {I4(1), Str("Smith")}, {}, S_OK, "ExtractIndividuals(1,BSTR:Smith,0)", "DISPATCH:null"},
        {"defaulted argument given", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {I4(1), Str("Smith"), I4(258)}, {}, S_OK, "ExtractIndividuals(1,BSTR:Smith,258)", "DISPATCH:null"},
        {"defaulted argument sent as missing", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {I4(1), Str("Smith"), MissingArg()}, {}, S_OK, "ExtractIndividuals(1,BSTR:Smith,0)",
         "DISPATCH:null"},
        {"text converted to an enumeration", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {Str("3"), Str("S")}, {}, S_OK, "ExtractIndividuals(3,BSTR:S,0)", "DISPATCH:null"},
        {"by-reference number", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {ByRefI4(4), EmptyArg()}, {}, S_OK, "ExtractIndividuals(4,EMPTY,0)", "DISPATCH:null"},
        // A VARIANT parameter receives the argument as sent, by reference included.
        {"by-reference string to a VARIANT", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {I4(1), ByRefStr("Smith")}, {}, S_OK, "ExtractIndividuals(1,BYREF|BSTR:Smith,0)",
         "DISPATCH:null"},
        {"by-reference VARIANT to a VARIANT", Target::Assistant, "ExtractRelatives", 0, kGet,
         {I4(2), ByRefVariant("in")}, {}, S_OK,
         "ExtractRelatives(2,BYREF|VARIANT(BSTR:in),ERROR:80020004)", "DISPATCH:null"},
        {"by-reference string to a string", Target::Assistant, "GetFactEventTypeDescription", 0, kGet,
         {ByRefStr("BIRT")}, {}, S_OK, "GetFactEventTypeDescription(BIRT)", "BSTR:about BIRT"},
        {"number converted to a string", Target::Assistant, "GetFactEventTypeDescription", 0, kGet,
         {I4(5)}, {}, S_OK, "GetFactEventTypeDescription(5)", "BSTR:about 5"},
        {"R8 rounds half to even", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {R8(2.5), Str("S")}, {}, S_OK, "ExtractIndividuals(2,BSTR:S,0)", "DISPATCH:null"},
        {"optional VARIANTs left out", Target::Assistant, "ExtractRelatives", 0, kGet, {I4(2)}, {}, S_OK,
         "ExtractRelatives(2,ERROR:80020004,ERROR:80020004)", "DISPATCH:null"},
        {"optional VARIANT skipped in the middle", Target::Assistant, "ExtractRelatives", 0, kGet,
         {I4(2), MissingArg(), Str("a")}, {}, S_OK, "ExtractRelatives(2,ERROR:80020004,BSTR:a)",
         "DISPATCH:null"},
        {"text that is no number", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {Str("abc"), Str("S")}, {}, DISP_E_TYPEMISMATCH, "", kResultUntouched, ArgErr(1)},
        {"number out of range", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {I4(1), Str("S"), R8(1e10)}, {}, DISP_E_OVERFLOW, "", kResultUntouched, ArgErr(0)},
        {"NULL to a string", Target::Assistant, "GetFactEventTypeDescription", 0, kGet, {NullArg()}, {},
         DISP_E_TYPEMISMATCH, "", kResultUntouched, ArgErr(0)},
        // A required argument sent as missing is converted like any VT_ERROR.
        {"required argument sent as missing", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {MissingArg(), Str("S")}, {}, DISP_E_TYPEMISMATCH, "", kResultUntouched, ArgErr(1)},
        {"too few arguments", Target::Assistant, "ExtractIndividuals", 0, kGet, {I4(1)}, {},
         DISP_E_BADPARAMCOUNT, "", kResultUntouched},
        {"too many arguments", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {I4(1), Str("S"), I4(0), I4(0)}, {}, DISP_E_BADPARAMCOUNT, "", kResultUntouched},
        {"no argument for a method that needs one", Target::Assistant, "GetFactEventTypeDescription", 0,
         kGet, {}, {}, DISP_E_BADPARAMCOUNT, "", kResultUntouched},
        {"named argument after positional ones", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {I4(1), Str("S")}, {{2, I4(513)}}, S_OK, "ExtractIndividuals(1,BSTR:S,513)", "DISPATCH:null"},
        {"named argument in the middle", Target::Assistant, "ExtractIndividuals", 0, kGet, {I4(1)},
         {{1, Str("Smith")}}, S_OK, "ExtractIndividuals(1,BSTR:Smith,0)", "DISPATCH:null"},
        {"enumeration and string", Target::Assistant, "SortIndividuals", 0, kGet,
         {Str("list"), Str("258")}, {}, S_OK, "SortIndividuals(BSTR:list,258)", "DISPATCH:null"},
    };
    for (const InvokeCase& c : cases) Run(c);
}

#ifndef _WIN32
// Wine's oleaut32 silently drops an argument that fits no parameter.
TEST_F(DispatchInvokeTest, RefusesArgumentsThatFitNoParameter) {
    const InvokeCase cases[] = {
        {"named DISPID past the parameters", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {I4(1), Str("S")}, {{7, I4(1)}}, DISP_E_PARAMNOTFOUND, "", kResultUntouched},
        {"named and positional for one parameter", Target::Assistant, "ExtractIndividuals", 0, kGet,
         {I4(1), Str("S")}, {{0, I4(1)}}, DISP_E_PARAMNOTFOUND, "", kResultUntouched},
        {"put with an extra positional argument", Target::Name, "Confidential", 0, kPut, {I4(1)},
         {{DISPID_PROPERTYPUT, I4(1)}}, DISP_E_BADPARAMCOUNT, "", kResultUntouched},
    };
    for (const InvokeCase& c : cases) Run(c);
}
#endif

TEST_F(DispatchInvokeTest, QueriesInterfaceArguments) {
    const InvokeCase cases[] = {
        {"object", Target::Assistant, "GenerationsOfAncestors", 0, kGet, {Object(&individual)}, {}, S_OK,
         "GenerationsOfAncestors(individual)", "I4:3"},
        {"object as IUnknown", Target::Assistant, "GenerationsOfAncestors", 0, kGet,
         {ObjectAsUnknown(&individual)}, {}, S_OK, "GenerationsOfAncestors(individual)", "I4:3"},
        {"object by reference", Target::Assistant, "GenerationsOfAncestors", 0, kGet,
         {ByRefObject(&individual)}, {}, S_OK, "GenerationsOfAncestors(individual)", "I4:3"},
        {"Nothing", Target::Assistant, "GenerationsOfAncestors", 0, kGet, {Object(nullptr)}, {}, S_OK,
         "GenerationsOfAncestors(null)", "I4:3"},
        {"arguments in declaration order", Target::Assistant, "IsAncestor", 0, kGet,
         {Object(&individual), Object(nullptr)}, {}, S_OK, "IsAncestor(individual,null)", "BOOL:-1"},
        // The query's own failure comes back, not a type mismatch.
        {"object of another kind", Target::Assistant, "GenerationsOfAncestors", 0, kGet,
         {Object(&foreign)}, {}, E_NOINTERFACE, "", kResultUntouched, ArgErr(0)},
        {"number for an object", Target::Assistant, "GenerationsOfAncestors", 0, kGet, {I4(1)}, {},
         DISP_E_TYPEMISMATCH, "", kResultUntouched, ArgErr(0)},
        {"empty for an object", Target::Assistant, "GenerationsOfAncestors", 0, kGet, {EmptyArg()}, {},
         DISP_E_TYPEMISMATCH, "", kResultUntouched, ArgErr(0)},
    };
    for (const InvokeCase& c : cases) Run(c);
}

TEST_F(DispatchInvokeTest, HandsBackResultsAndFailures) {
    const InvokeCase cases[] = {
        {"string", Target::Name, "FullName", 0, kGet, {}, {}, S_OK, "get_FullName", "BSTR:John /Smith/"},
        {"flag", Target::Name, "Confidential", 0, kGet, {}, {}, S_OK, "get_Confidential", "BOOL:0"},
        {"long", Target::Names, "Count", 0, kGet, {}, {}, S_OK, "", "I4:1"},
        {"object", Target::Names, "Item", 0, kGet, {I4(2)}, {}, S_OK, "Item(2)", "DISPATCH:name"},
        {"IUnknown", Target::Names, "_NewEnum", 0, kGet, {}, {}, S_OK, "_NewEnum", "UNKNOWN:enumerator"},
        {"VARIANT", Target::Name, "Tag", 0, kGet, {}, {}, S_OK, "get_Tag", "EMPTY"},
        {"object not wanted is released", Target::Name, "PhoneticVariations", 0, kGet, {}, {}, S_OK,
         "get_PhoneticVariations", nullptr},
        {"string not wanted is freed", Target::Name, "FullName", 0, kGet, {}, {}, S_OK, "get_FullName",
         nullptr},
        // A failing member's code travels in the exception; what it left in
        // its out-parameter is still handed on.
        {"bare failure code", Target::Assistant, "GenerationsOfDescendants", 0, kGet,
         {Object(&individual)}, {}, DISP_E_EXCEPTION, "GenerationsOfDescendants(individual)", "I4:0",
         kUntouched, "80004005|(null)|(null)"},
        {"failure with error information", Target::Assistant, "Soundex", 0, kGet, {Str("Smith")}, {},
         DISP_E_EXCEPTION, "Soundex(Smith)", "BSTR:", kUntouched,
         "80020009|Kinfold.Test|No soundex for you"},
    };
    for (const InvokeCase& c : cases) Run(c);
}

// Arguments given to a property that takes none go to the default member of
// the object it returns, so that a host's name.PhoneticVariations(1) works.
TEST_F(DispatchInvokeTest, PassesArgumentsOnToTheDefaultMemberOfTheResult) {
    const InvokeCase cases[] = {
        {"collection property with an index", Target::Name, "PhoneticVariations", 0, kGet, {I4(1)}, {},
         S_OK, "get_PhoneticVariations;Item(1)", "DISPATCH:name"},
        {"value that has no default member", Target::Name, "FullName", 0, kGet, {I4(1)}, {},
         DISP_E_NOTACOLLECTION, "get_FullName", "EMPTY"},
        {"no place for the result", Target::Name, "PhoneticVariations", 0, kGet, {I4(1)}, {},
         DISP_E_BADPARAMCOUNT, "", nullptr},
    };
    for (const InvokeCase& c : cases) Run(c);
}

TEST_F(DispatchInvokeTest, PutThenGetRoundTrip) {
    Run({"put", Target::Name, "Tag", 0, kPut, {}, {{DISPID_PROPERTYPUT, Str("kept")}}, S_OK,
         "put_Tag(BSTR:kept)", kResultUntouched});
    Run({"get", Target::Name, "Tag", 0, kGet, {}, {}, S_OK, "get_Tag", "BSTR:kept"});
}

// Without an EXCEPINFO to fill, the member's error information stays for
// the host to fetch.
TEST_F(DispatchInvokeTest, ErrorInformationStaysWithoutExcepInfo) {
    HostArguments args({Str("Smith")}, {});
    BSTR member = MakeBstr("Soundex");
    DISPID id = DISPID_UNKNOWN;
    ASSERT_EQ(S_OK, assistant.GetIDsOfNames(IID_NULL, &member, 1, LOCALE_USER_DEFAULT, &id));
    SysFreeString(member);
    EXPECT_EQ(DISP_E_EXCEPTION, assistant.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kGet, args.Params(),
                                                 nullptr, nullptr, nullptr));
    IErrorInfo* info = nullptr;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &info));
    ASSERT_NE(nullptr, info);
    BSTR description = nullptr;
    EXPECT_EQ(S_OK, info->GetDescription(&description));
    EXPECT_EQ("No soundex for you", Narrow(description));
    SysFreeString(description);
    info->Release();
    ExpectNoReferencesLeft();
}

}  // namespace
}  // namespace kinfold::test
