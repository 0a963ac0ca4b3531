// Hosts that read a property by calling it: JScript's Enumerator asks a
// collection for _NewEnum with DISPATCH_METHOD alone, and expects the
// enumerator as if it had asked for the property.
#include <gtest/gtest.h>

#include "host/late_binding.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

class PropertyReadAsMethodTest : public ::testing::Test {
   protected:
    LiveObjectGuard guard_;  // checked after every other member is gone
    ComPtr<IGEDCOMdb> db_ = NewDatabase();
};

TEST_F(PropertyReadAsMethodTest, PropertiesAnswerACallWithoutArguments) {
    ComPtr<IGDIndividuals> individuals;
    ASSERT_EQ(db_->get_Individuals(individuals.Out()), S_OK);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    const struct {
        IDispatch* object;
        DISPID id;
        VARTYPE expected;
    } cases[] = {
        {individuals.get(), DISPID_NEWENUM, VT_UNKNOWN},
        {individuals.get(), IdOfName(individuals.get(), "Count"), VT_I4},
        {db_.get(), IdOfName(db_.get(), "ReturnBlankFlags"), VT_I4},
    };
    for (const auto& c : cases) {
        Variant result;
        EXPECT_EQ(c.object->Invoke(c.id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                   &result, nullptr, nullptr),
                  S_OK)
            << c.id;
        EXPECT_EQ(result->vt, c.expected) << c.id;
    }
}

TEST_F(PropertyReadAsMethodTest, PuttingStillNeedsThePutFlag) {
    VARIANT value = LongVariant(6);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put = {&value, &named, 1, 1};
    const DISPID flags = IdOfName(db_.get(), "ReturnBlankFlags");
    EXPECT_NE(db_->Invoke(flags, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &put, nullptr,
                          nullptr, nullptr),
              S_OK);
    LONG now = 0;
    db_->get_ReturnBlankFlags(&now);
    EXPECT_EQ(now, 1);
}

}  // namespace
}  // namespace kinfold::test
