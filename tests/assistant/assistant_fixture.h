// A loaded database with its assistant, and short forms of the assistant's
// list members that give the IDs of the individuals they return.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "records/person/person_record_fixture.h"

namespace kinfold::test {

using Ids = std::vector<std::string>;

// @L@ is a child, and the husband, of his own family.
inline constexpr char kOwnFather[] =
    "0 @L@ INDI\n1 FAMC @LF@\n1 FAMS @LF@\n0 @W@ INDI\n1 FAMS @LF@\n"
    "0 @K@ INDI\n1 FAMC @LF@\n"
    "0 @LF@ FAM\n1 HUSB @L@\n1 WIFE @W@\n1 CHIL @L@\n1 CHIL @K@\n0 TRLR\n";

class AssistantFixture : public PersonRecordFixture {
   protected:
    void LoadText(std::string_view gedcom) {
        PersonRecordFixture::LoadText(gedcom);
        ASSERT_EQ(db_->get_Assistant(assistant_.Out()), S_OK);
    }

    // An object as an argument that the callee does not take over.
    static VARIANT Arg(IDispatch* object) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_DISPATCH;
        v.pdispVal = object;
        return v;
    }

    // The description of the thread's error information, taken from it.
    static std::string ErrorDescription() {
        ComPtr<IErrorInfo> info;
        Bstr description;
        if (GetErrorInfo(0, info.Out()) != S_OK || FAILED(info->GetDescription(description.Out())))
            return "<none>";
        return description.Text();
    }

    // The IDs ExtractRelatives lists, or the failure's code as text.
    Ids Relatives(gd_RelationalColType type, std::string_view id, std::string_view ancestor = {}) {
        ComPtr<IGDIndividualRecord> from = Individual(id);
        ComPtr<IGDIndividualRecord> to = Individual(ancestor);
        return IdsOf(assistant_->ExtractRelatives(type, from ? Arg(from.get()) : Omitted(),
                                                  to ? Arg(to.get()) : Omitted(), list_.Out()));
    }

    Ids Extract(gd_SubCategories category, VARIANT criteria, LONG order = gd_sortNone) {
        const HRESULT hr = assistant_->ExtractIndividuals(
            category, criteria, static_cast<gd_IndSortOrder>(order), list_.Out());
        VariantClear(&criteria);
        return IdsOf(hr);
    }

    Ids IdsOf(HRESULT hr) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
        if (FAILED(hr)) return {code};
        return IdsIn(list_.get());
    }

    ComPtr<IGDAssistant> assistant_;
    ComPtr<IGDIndividuals> list_;
};

}  // namespace kinfold::test
