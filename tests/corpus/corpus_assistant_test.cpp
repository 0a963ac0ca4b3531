// Every member of the assistant, and both confidentiality methods, called
// late-bound as a script calls them on every file of the corpus: a few
// individuals each, every relatives order and every named sort order.
// Nothing may fail, leak or loop; run under the sanitizer build too.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/late_binding.h"
#include "support/com_test_support.h"
#include "support/corpus_files.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

namespace fs = std::filesystem;

constexpr LONG kSortOrders[] = {0, 1, 2, 3, 4, 5, 258, 513, 66052, 196866, 50397700, 16, -259};

// An object argument; InvokeByName releases what it is given.
VARIANT Held(IDispatch* object) {
    object->AddRef();
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    return v;
}

class CorpusAssistantTest : public ::testing::Test {
   protected:
    // Calls a method and counts it; returns the result's element count when
    // it is a collection, else 0.
    long Call(IDispatch* object, const char* member, std::vector<VARIANT> args,
              WORD flags = DISPATCH_METHOD) {
        Variant result;
        const HRESULT hr = InvokeByName(object, member, flags, std::move(args), &result);
        ++calls_;
        EXPECT_EQ(hr, S_OK) << member;
        Variant count;
        if (AsObject(result) == nullptr ||
            InvokeByName(AsObject(result), "Count", DISPATCH_PROPERTYGET, {}, &count) != S_OK)
            return 0;
        return count->lVal;
    }

    void Exercise(IGEDCOMdb* db) {
        Variant assistantValue, individualsValue, typesValue;
        ASSERT_EQ(InvokeByName(db, "Assistant", DISPATCH_PROPERTYGET, {}, &assistantValue), S_OK);
        ASSERT_EQ(InvokeByName(db, "Individuals", DISPATCH_PROPERTYGET, {}, &individualsValue),
                  S_OK);
        IDispatch* assistant = AsObject(assistantValue);
        IDispatch* individuals = AsObject(individualsValue);
        const long count = Call(individuals, "Count", {}, DISPATCH_PROPERTYGET);

        // The first, middle and last individuals; the store keeps them alive.
        std::vector<IDispatch*> chosen;
        for (long position : {1L, (count + 1) / 2, count}) {
            Variant item;
            if (position >= 1 && InvokeByName(individuals, "Item", DISPATCH_PROPERTYGET,
                                              {LongVariant(position)}, &item) == S_OK)
                chosen.push_back(AsObject(item));
        }
        for (IDispatch* one : chosen) {
            for (IDispatch* other : chosen) {
                for (LONG order = 1; order <= 9; ++order)
                    listed_ += Call(assistant, "ExtractRelatives",
                                    {LongVariant(order), Held(one), Held(other)});
                Call(assistant, "IsAncestor", {Held(other), Held(one)});
                Call(assistant, "GetFamilyFromSpouses", {Held(one), Held(other)});
                related_ += Call(assistant, "Relationship", {Held(one), Held(other)});
            }
            Call(assistant, "GenerationsOfAncestors", {Held(one)});
            Call(assistant, "GenerationsOfDescendants", {Held(one)});
        }
        for (LONG order : kSortOrders) {
            listed_ += Call(assistant, "SortIndividuals", {Held(individuals), LongVariant(order)});
            for (LONG category = 1; category <= 4; ++category)
                listed_ += Call(assistant, "ExtractIndividuals",
                                {LongVariant(category), TextVariant("*"), LongVariant(order)});
        }
        Call(assistant, "Soundex", {TextVariant("Ashcraft")});
        ASSERT_EQ(InvokeByName(db, "IndEventTypes", DISPATCH_PROPERTYGET, {}, &typesValue), S_OK);
        for (long i = 1; i <= Call(AsObject(typesValue), "Count", {}, DISPATCH_PROPERTYGET); ++i) {
            Variant type;
            ASSERT_EQ(InvokeByName(AsObject(typesValue), "Item", DISPATCH_PROPERTYGET,
                                   {LongVariant(i)}, &type),
                      S_OK);
            VARIANT text;
            VariantInit(&text);
            ASSERT_EQ(VariantCopy(&text, &type), S_OK);
            Call(assistant, "GetFactEventTypeDescription", {text});
        }
        Call(db, "SetConfidentiality", {LongVariant(100)});
        Call(db, "ClearConfidentiality", {});
    }

    long calls_ = 0;
    long listed_ = 0;
    long related_ = 0;
};

TEST_F(CorpusAssistantTest, EveryMemberAnswersOnEveryFile) {
    LiveObjectGuard guard;
    MessageCapture messages;
    const std::vector<fs::path> files = CorpusFiles();
    ASSERT_GE(files.size(), 60u);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        ComPtr<IGEDCOMdb> db = NewDatabase();
        Load(db.get(), file.string());
        Exercise(db.get());
    }
    std::printf("corpus assistant: %ld calls, %ld individuals listed, %ld relationships\n", calls_,
                listed_, related_);
}

}  // namespace
}  // namespace kinfold::test
