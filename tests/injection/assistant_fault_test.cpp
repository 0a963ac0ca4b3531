// The calls a walk does not make, because they take arguments: the
// assistant's extraction, sorting (from an array of individuals), relatives
// and Soundex, and a host tag holding an array. Every allocation inside each
// fails in turn, SAFEARRAY copies among them; each failed call answers
// E_OUTOFMEMORY or, for the collections, the elements made before, and the
// same call made again answers as without failures.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "injection/fault_fixture.h"
#include "platform/text.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

// An array of the database's individuals, as a script would build it.
VARIANT IndividualArray(IGEDCOMdb* db) {
    ComPtr<IGDIndividuals> all;
    LONG count = 0;
    EXPECT_EQ(db->get_Individuals(all.Out()), S_OK);
    all->get_Count(&count);
    VARIANT array;
    VariantInit(&array);
    array.vt = VT_ARRAY | VT_VARIANT;
    array.parray = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(count));
    for (LONG i = 0; i < count; ++i) {
        VARIANT element;
        VariantInit(&element);
        element.vt = VT_DISPATCH;
        element.pdispVal = nullptr;
        all->get_Item(LongVariant(i + 1), reinterpret_cast<IGDIndividualRecord**>(&element.pdispVal));
        SafeArrayPutElement(array.parray, &i, &element);
        VariantClear(&element);
    }
    return array;
}

// Strings in an array, the kind of value a host keeps in a tag.
VARIANT TextArray() {
    VARIANT array;
    VariantInit(&array);
    array.vt = VT_ARRAY | VT_BSTR;
    array.parray = SafeArrayCreateVector(VT_BSTR, 0, 3);
    const char* const texts[] = {"one", "two", "three"};
    for (LONG i = 0; i < 3; ++i) SafeArrayPutElement(array.parray, &i, Bstr(texts[i]).get());
    return array;
}

// One call: its code, and its value in `result`. The arguments are made
// before, so that only the library's allocations are counted.
using Call = std::function<HRESULT(VARIANT* result)>;

// Hands the collection a call made over to `result`.
HRESULT CollectionResult(HRESULT hr, IGDIndividuals* collection, VARIANT* result) {
    if (collection != nullptr) {
        result->vt = VT_DISPATCH;
        result->pdispVal = collection;
    }
    return hr;
}

TEST(AssistantFaultTest, EveryAllocationOfTheAssistantAndOfHostTagsCanFail) {
    MessageCapture messages;
    LiveObjectGuard guard;
    ComPtr<IGEDCOMdb> db = NewDatabase();
    ASSERT_TRUE(Load(db.get(), CorpusPath("555SAMPLE.GED")));
    ComPtr<IGDAssistant> assistant;
    ASSERT_EQ(db->get_Assistant(assistant.Out()), S_OK);
    ComPtr<IGDIndividualRecord> first;
    ASSERT_EQ(db->GetIndividualFromID(Bstr("@I1@").get(), first.Out()), S_OK);
    VARIANT individuals = IndividualArray(db.get());
    VARIANT texts = TextArray();
    VARIANT criteria = TextVariant("S*");
    const Bstr name("Washington");
    VARIANT none;
    VariantInit(&none);
    none.vt = VT_ERROR;
    none.scode = DISP_E_PARAMNOTFOUND;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_DISPATCH;
    self.pdispVal = first.get();

    const struct {
        const char* name;
        Call call;
    } calls[] = {
        {"ExtractIndividuals", [&](VARIANT* r) {
             IGDIndividuals* found = nullptr;
             const HRESULT hr =
                 assistant->ExtractIndividuals(gd_subcatSurname, criteria, gd_sortSurnameGiven, &found);
             return CollectionResult(hr, found, r);
         }},
        {"SortIndividuals", [&](VARIANT* r) {
             IGDIndividuals* sorted = nullptr;
             const HRESULT hr =
                 assistant->SortIndividuals(individuals, gd_sortSoundexSurnameGivenBirth, &sorted);
             return CollectionResult(hr, sorted, r);
         }},
        {"ExtractRelatives", [&](VARIANT* r) {
             IGDIndividuals* relatives = nullptr;
             const HRESULT hr = assistant->ExtractRelatives(gd_relDescendants, self, none, &relatives);
             return CollectionResult(hr, relatives, r);
         }},
        {"Soundex", [&](VARIANT* r) {
             r->vt = VT_BSTR;
             r->bstrVal = nullptr;
             return assistant->Soundex(name.get(), &r->bstrVal);
         }},
        {"put_Tag", [&](VARIANT*) { return first->put_Tag(texts); }},
        {"get_Tag", [&](VARIANT* r) { return first->get_Tag(r); }},
    };

    long points = 0;
    for (const auto& entry : calls) {
        SCOPED_TRACE(entry.name);
        VARIANT result;
        VariantInit(&result);
        const std::string reference = AnswerText(entry.call(&result), result);
        for (long nth = 1;; ++nth) {
            VariantClear(&result);
            fault::FailAllocation(nth);
            const HRESULT hr = entry.call(&result);
            const bool happened = fault::AllocationFailed();
            fault::FailAllocation(0);
            if (!happened) {
                EXPECT_EQ(AnswerText(hr, result), reference) << "after " << nth - 1 << " faults";
                break;
            }
            ++points;
            const bool list = hr == S_OK && result.vt == VT_DISPATCH;
            EXPECT_TRUE(hr == E_OUTOFMEMORY || list) << "fault " << nth << ": " << AnswerText(hr, result);
        }
        VariantClear(&result);
    }
    VariantClear(&individuals);
    VariantClear(&texts);
    VariantClear(&criteria);
    std::printf("assistant and host tags: %ld points of allocation failed\n", points);
    EXPECT_GT(points, 0);
}

}  // namespace
}  // namespace kinfold::test

#endif  // _WIN32
