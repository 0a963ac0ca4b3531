// GetIDsOfNames as hosts use it: a member name, then the names of the
// arguments a host passes by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dispatch/recording_objects.h"

namespace kinfold::test {
namespace {

constexpr DISPID kMember = 0x7fff0000;  // stands for the member's own DISPID

struct NamesCase {
    const char* what;
    std::vector<const char*> names;
    HRESULT expected;
    std::vector<DISPID> ids;
};

std::vector<DISPID> IdsOf(IDispatch* object, const std::vector<const char*>& names, HRESULT* hr) {
    std::vector<BSTR> texts;
    for (const char* name : names) texts.push_back(MakeBstr(name));
    std::vector<DISPID> ids(names.size(), 12345);
    *hr = object->GetIDsOfNames(IID_NULL, texts.data(), static_cast<UINT>(texts.size()),
                                LOCALE_USER_DEFAULT, ids.data());
    for (BSTR text : texts) SysFreeString(text);
    return ids;
}

void RunCases(IDispatch* object, const std::vector<NamesCase>& cases) {
    for (const NamesCase& c : cases) {
        SCOPED_TRACE(c.what);
        HRESULT hr = E_UNEXPECTED;
        const DISPID member = IdsOf(object, {c.names[0]}, &hr)[0];
        std::vector<DISPID> expected = c.ids;
        for (DISPID& id : expected)
            if (id == kMember) id = member;
        const std::vector<DISPID> ids = IdsOf(object, c.names, &hr);
        EXPECT_EQ(Hex(c.expected), Hex(hr));
        EXPECT_EQ(expected, ids);
    }
}

TEST(DispatchNames, ArgumentNamesAnswerWithTheirPosition) {
    RecordingAssistant assistant;
    RunCases(&assistant,
             {
                 {"every parameter, any case", {"ExtractIndividuals", "SortOrder", "CRITERIA", "subcategory"},
                  S_OK, {kMember, 2, 1, 0}},
                 {"the retval counts after the parameters", {"extractindividuals", "pVal"}, S_OK,
                  {kMember, 3}},
                 {"one unknown argument name", {"ExtractIndividuals", "Nonsense", "Criteria"},
                  DISP_E_UNKNOWNNAME, {kMember, DISPID_UNKNOWN, 1}},
                 {"unknown member", {"NoSuchMember", "Criteria"}, DISP_E_UNKNOWNNAME,
                  {DISPID_UNKNOWN, DISPID_UNKNOWN}},
             });
}

// A property's names are those of its first accessor in the interface: the
// getter, which has no parameter called newVal.
TEST(DispatchNames, PropertyNamesComeFromItsFirstAccessor) {
    Token enumerator("enumerator", nullptr);
    RecordingName name(&enumerator);
    RunCases(&name, {
                        {"getter's retval", {"tag", "pVal"}, S_OK, {kMember, 0}},
                        {"setter's parameter", {"Tag", "newVal"}, DISP_E_UNKNOWNNAME,
                         {kMember, DISPID_UNKNOWN}},
                    });
    RunCases(&name.names, {{"collection index", {"ITEM", "index"}, S_OK, {DISPID_VALUE, 0}}});
}

TEST(DispatchNames, UnknownMemberIsUnknownInEveryCase) {
    RecordingAssistant assistant;
    for (const char* name : {"", "Soundex2", "Sound", "QueryInterfaceX"}) {
        HRESULT hr = S_OK;
        EXPECT_EQ(std::vector<DISPID>{DISPID_UNKNOWN}, IdsOf(&assistant, {name}, &hr)) << name;
        EXPECT_EQ(DISP_E_UNKNOWNNAME, hr) << name;
    }
}

}  // namespace
}  // namespace kinfold::test
