// The object model driven only through IDispatch by member name, as a
// script does: create, load, read and write options, walk collections with
// _NewEnum, look items up by position and by ID.
// Hosts that read a property by calling it: JScript's Enumerator asks a
// collection for _NewEnum with DISPATCH_METHOD alone, and expects the
// enumerator as if it had asked for the property.
#include <gtest/gtest.h>

#include <string>

#include "host/late_binding.h"
#include "host/member_path.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

constexpr WORD kGet = DISPATCH_PROPERTYGET | DISPATCH_METHOD;

constexpr char kFile[] =
    "0 HEAD\n"
    "0 @I2@ INDI\n1 FAMS @F1@\n"
    "0 @I1@ INDI\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 FAMC @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
    "0 TRLR\n";

class ScriptWalkTest : public ::testing::Test {
   protected:
    void SetUp() override {
        ASSERT_TRUE(db_);
        db_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(script_.Out()));
        ASSERT_TRUE(script_);
    }

    // The IDs of the elements of a collection property, walked with _NewEnum.
    std::vector<std::string> WalkIds(const char* collection) {
        std::vector<std::string> ids;
        Variant coll;
        EXPECT_EQ(InvokeByName(script_.get(), collection, kGet, {}, &coll), S_OK);
        Variant enumVariant;
        EXPECT_EQ(InvokeByName(AsObject(coll), "_NewEnum", kGet, {}, &enumVariant), S_OK);
        if (enumVariant->vt != VT_UNKNOWN) return ids;
        ComPtr<IEnumVARIANT> items;
        enumVariant->punkVal->QueryInterface(IID_IEnumVARIANT,
                                             reinterpret_cast<void**>(items.Out()));
        Variant item;
        while (items->Next(1, &item, nullptr) == S_OK) {
            Variant id;
            EXPECT_EQ(InvokeByName(AsObject(item), "id", kGet, {}, &id), S_OK);
            ids.push_back(id->vt == VT_BSTR ? BstrText(id) : "?");
            VariantClear(&item);
        }
        return ids;
    }
    static std::string BstrText(const Variant& v) {
        Bstr copy;
        *copy.Out() = SysAllocString(v->bstrVal);
        return copy.Text();
    }

    LiveObjectGuard guard_;  // checked after every other member is gone
    ComPtr<IGEDCOMdb> db_ = NewDatabase();
    ComPtr<IDispatch> script_;
    MessageCapture messages_;
};

TEST_F(ScriptWalkTest, LoadsAndWalksCollectionsByName) {
    TempFile file(kFile);
    Variant loaded;
    ASSERT_EQ(InvokeByName(script_.get(), "LoadGEDCOMFile", DISPATCH_METHOD,
                           {TextVariant(file.Path())}, &loaded),
              S_OK);
    ASSERT_EQ(loaded->vt, VT_BOOL);
    EXPECT_EQ(loaded->boolVal, VARIANT_TRUE);

    EXPECT_EQ(WalkIds("Individuals"), (std::vector<std::string>{"@I1@", "@I2@", "@I3@"}));
    EXPECT_EQ(WalkIds("FAMILIES"), std::vector<std::string>{"@F1@"});

    // Names in any case, items by position and by ID.
    ExpectPathTexts(script_.get(), {{"individuals.Count", "3"},
                                    {"individuals.Item(2).ID", "@I2@"},
                                    {"Individuals.item(\"@I3@\").id", "@I3@"}});
    Variant individuals, missing;
    ASSERT_EQ(InvokeByName(script_.get(), "individuals", kGet, {}, &individuals), S_OK);
    // A member's failure reaches a script as an exception carrying its code.
    EXPECT_EQ(InvokeByName(AsObject(individuals), "Item", kGet, {TextVariant("3")}, &missing),
              DISP_E_EXCEPTION);
}

TEST_F(ScriptWalkTest, ReadsAndWritesOptionsByName) {
    EXPECT_EQ(ReadPathText(script_.get(), "ReturnBlankFlags"), "1");
    EXPECT_EQ(InvokeByName(script_.get(), "ReturnBlankFlags", DISPATCH_PROPERTYPUT,
                           {TextVariant("6")}, nullptr),
              S_OK);
    EXPECT_EQ(InvokeByName(script_.get(), "ConfidentialNotice", DISPATCH_PROPERTYPUT,
                           {LongVariant(12)}, nullptr),
              S_OK);
    ExpectPathTexts(script_.get(), {{"ReturnBlankNames", "False"}, {"ConfidentialNotice", "12"}});
    Variant places;
    ASSERT_EQ(InvokeByName(script_.get(), "ReturnBlankPlaces", kGet, {}, &places), S_OK);
    EXPECT_EQ(places->boolVal, VARIANT_TRUE);
}

TEST_F(ScriptWalkTest, FailedLoadAnswersFalse) {
    Variant loaded;
    ASSERT_EQ(InvokeByName(script_.get(), "LoadGEDCOMFile", DISPATCH_METHOD,
                           {TextVariant(UnusedTempPath())}, &loaded),
              S_OK);
    EXPECT_EQ(loaded->boolVal, VARIANT_FALSE);
    EXPECT_EQ(IdOfName(script_.get(), "NoSuchMember"), DISPID_UNKNOWN);
}

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
