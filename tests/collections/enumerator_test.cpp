// The enumerator behind _NewEnum: Next, Skip, Reset and Clone over records,
// type names and GDList strings.
#include <memory>

#include "access/collections.h"
#include "collections/collection_fixture.h"

namespace kinfold::test {
namespace {

class Enumerator : public CollectionTest {
   protected:
    // An enumerator over the owner's list seen as a collection of notes.
    IEnumVARIANT* EnumerateList() {
        IGDNotes* notes = nullptr;
        EXPECT_EQ(MakeLiveCollection(&notes, owner_->list, owner_), S_OK);
        IEnumVARIANT* enumerator = EnumeratorOf(notes);
        Drop(notes);
        return enumerator;
    }

    // Next with celt 1: which record came, -1 when none did.
    int NextRecord(IEnumVARIANT* enumerator) {
        OwnedVariant element;
        ULONG fetched = 99;
        const HRESULT hr = enumerator->Next(1, &element.value, &fetched);
        if (hr != S_OK) {
            EXPECT_EQ(hr, S_FALSE);
            EXPECT_EQ(fetched, 0u);
            return -1;
        }
        EXPECT_EQ(fetched, 1u);
        EXPECT_EQ(V_VT(&element.value), VT_DISPATCH);
        return IndexOf(V_DISPATCH(&element.value));
    }
};

TEST_F(Enumerator, EmptyCollectionGivesNothingAtOnce) {
    IEnumVARIANT* enumerator = EnumerateList();
    OwnedVariant element;
    ULONG fetched = 99;
    EXPECT_EQ(enumerator->Next(1, &element.value, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(V_VT(&element.value), VT_EMPTY);
    Drop(enumerator);
}

TEST_F(Enumerator, AskingForMoreThanThereIsGivesAllAndFalse) {
    Fill(owner_->list, {"@N1@", "@N2@"});
    IEnumVARIANT* enumerator = EnumerateList();
    OwnedVariant elements[3];
    VARIANT raw[3];
    ULONG fetched = 99;
    EXPECT_EQ(enumerator->Next(3, raw, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    for (int i = 0; i < 2; ++i) {
        elements[i].value = raw[i];
        ASSERT_EQ(V_VT(&elements[i].value), VT_DISPATCH);
        EXPECT_EQ(IndexOf(V_DISPATCH(&elements[i].value)), i);
    }
    Drop(enumerator);
}

TEST_F(Enumerator, OneAtATimeThenFalse) {
    Fill(owner_->list, {"@N1@", "@N2@"});
    IEnumVARIANT* enumerator = EnumerateList();
    EXPECT_EQ(NextRecord(enumerator), 0);
    EXPECT_EQ(NextRecord(enumerator), 1);
    EXPECT_EQ(NextRecord(enumerator), -1);
    EXPECT_EQ(NextRecord(enumerator), -1);
    Drop(enumerator);
}

TEST_F(Enumerator, SkipAndReset) {
    Fill(owner_->list, {"@N1@", "@N2@", "@N3@"});
    IEnumVARIANT* enumerator = EnumerateList();
    EXPECT_EQ(enumerator->Skip(0), S_OK);
    EXPECT_EQ(enumerator->Skip(1), S_OK);
    EXPECT_EQ(NextRecord(enumerator), 1);
    EXPECT_EQ(enumerator->Skip(5), S_FALSE);
    EXPECT_EQ(NextRecord(enumerator), -1);
    EXPECT_EQ(enumerator->Reset(), S_OK);
    EXPECT_EQ(NextRecord(enumerator), 0);
    EXPECT_EQ(enumerator->Skip(2), S_OK);
    EXPECT_EQ(enumerator->Skip(1), S_FALSE);
    Drop(enumerator);
}

TEST_F(Enumerator, CloneContinuesFromTheSamePlaceIndependently) {
    Fill(owner_->list, {"@N1@", "@N2@", "@N3@"});
    IEnumVARIANT* enumerator = EnumerateList();
    EXPECT_EQ(NextRecord(enumerator), 0);
    IEnumVARIANT* clone = nullptr;
    ASSERT_EQ(enumerator->Clone(&clone), S_OK);
    EXPECT_EQ(NextRecord(clone), 1);
    EXPECT_EQ(NextRecord(clone), 2);
    EXPECT_EQ(NextRecord(enumerator), 1);
    EXPECT_EQ(clone->Reset(), S_OK);
    EXPECT_EQ(NextRecord(enumerator), 2);
    EXPECT_EQ(NextRecord(clone), 0);
    Drop(clone);
    Drop(enumerator);
}

TEST_F(Enumerator, NullArguments) {
    Fill(owner_->list, {"@N1@", "@N2@"});
    IEnumVARIANT* enumerator = EnumerateList();
    VARIANT raw[2];
    ULONG fetched = 99;
    EXPECT_EQ(enumerator->Next(1, nullptr, &fetched), E_POINTER);
    EXPECT_EQ(enumerator->Next(2, raw, nullptr), E_POINTER);
    EXPECT_EQ(enumerator->Next(0, raw, nullptr), E_POINTER);
    EXPECT_EQ(enumerator->Clone(nullptr), E_POINTER);
    // Nothing was handed out by the refused calls.
    EXPECT_EQ(NextRecord(enumerator), 0);
    // A single element needs no count.
    OwnedVariant element;
    EXPECT_EQ(enumerator->Next(1, &element.value, nullptr), S_OK);
    EXPECT_EQ(IndexOf(V_DISPATCH(&element.value)), 1);
    Drop(enumerator);
}

TEST_F(Enumerator, FailedCopyReturnsNothingAndKeepsThePositionBeforeIt) {
    Fill(owner_->list, {"@N1@", "@N2@", "@N3@"});
    records_[1]->RefuseDispatch();
    IEnumVARIANT* enumerator = EnumerateList();
    VARIANT raw[3];
    ULONG fetched = 99;
    // The first element was copied and is cleared again (the guard checks it
    // was released).
    EXPECT_EQ(enumerator->Next(3, raw, &fetched), E_NOINTERFACE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(V_VT(&raw[0]), VT_EMPTY);
    EXPECT_EQ(enumerator->Next(1, raw, &fetched), E_NOINTERFACE);
    EXPECT_EQ(enumerator->Skip(1), S_OK);
    EXPECT_EQ(NextRecord(enumerator), 2);
    Drop(enumerator);
}

TEST_F(Enumerator, ALiveContainerEmptiedUnderAnEnumeratorEndsIt) {
    Fill(owner_->list, {"@N1@", "@N2@", "@N3@"});
    IEnumVARIANT* enumerator = EnumerateList();
    EXPECT_EQ(NextRecord(enumerator), 0);
    EXPECT_EQ(enumerator->Skip(1), S_OK);
    owner_->list.Clear();
    EXPECT_EQ(NextRecord(enumerator), -1);
    EXPECT_EQ(enumerator->Skip(1), S_FALSE);
    Fill(owner_->list, {"@N4@"});
    EXPECT_EQ(enumerator->Reset(), S_OK);
    EXPECT_EQ(NextRecord(enumerator), 3);
    Drop(enumerator);
}

TEST_F(Enumerator, AnswersIEnumVariantOnly) {
    IEnumVARIANT* enumerator = EnumerateList();
    const struct {
        const IID* iid;
        HRESULT result;
    } rows[] = {{&IID_IUnknown, S_OK},
                {&IID_IEnumVARIANT, S_OK},
                {&IID_IDispatch, E_NOINTERFACE},
                {&IID_ISupportErrorInfo, E_NOINTERFACE},
                {&__uuidof(IGDNotes), E_NOINTERFACE}};
    for (const auto& row : rows) {
        IUnknown* answer = reinterpret_cast<IUnknown*>(1);
        EXPECT_EQ(enumerator->QueryInterface(*row.iid, reinterpret_cast<void**>(&answer)),
                  row.result);
        if (row.result == S_OK)
            Drop(answer);
        else
            EXPECT_EQ(answer, nullptr);
    }
    Drop(enumerator);
}

TEST_F(Enumerator, TypeNamesComeAsStrings) {
    for (const char* name : {"DEAT", "BIRT"}) owner_->types.Add(name);
    IGDFactEventTypes* types = nullptr;
    ASSERT_EQ(MakeTypeNameCollection(&types, owner_->types, owner_), S_OK);
    IEnumVARIANT* enumerator = EnumeratorOf(types);
    Drop(types);
    OwnedVariant elements[2];
    VARIANT raw[2];
    ULONG fetched = 0;
    EXPECT_EQ(enumerator->Next(2, raw, &fetched), S_OK);
    ASSERT_EQ(fetched, 2u);
    elements[0].value = raw[0];
    elements[1].value = raw[1];
    EXPECT_EQ(TextOf(elements[0].value), "BIRT");
    EXPECT_EQ(TextOf(elements[1].value), "DEAT");
    Drop(enumerator);
}

TEST_F(Enumerator, ListValuesComeAsCopies) {
    auto values = std::make_unique<ValueList>();
    ASSERT_TRUE(values->Append("home@example.org"));
    IGDList* list = nullptr;
    ASSERT_EQ(MakeBuiltCollection(&list, std::move(values)), S_OK);
    IEnumVARIANT* enumerator = EnumeratorOf(list);
    Drop(list);
    for (int round = 0; round < 2; ++round) {
        OwnedVariant value;
        ULONG fetched = 0;
        EXPECT_EQ(enumerator->Next(1, &value.value, &fetched), S_OK);
        EXPECT_EQ(TextOf(value.value), "home@example.org");
        EXPECT_EQ(enumerator->Reset(), S_OK);
    }
    Drop(enumerator);
}

}  // namespace
}  // namespace kinfold::test
