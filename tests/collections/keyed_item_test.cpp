// Item of the collections of top-level records, whose index is a VARIANT: a
// position, or a record ID looked up in a list or in a store.
#include <memory>

#include "access/collections.h"
#include "collections/collection_fixture.h"
#include "core/fixed_string.h"

namespace kinfold::test {
namespace {

// An Item index as a host passes it, with what a by-reference index points to.
struct IndexArg {
    IndexArg() {
        VariantInit(&value);
        VariantInit(&referenced);
    }
    ~IndexArg() {
        VariantClear(&value);
        VariantClear(&referenced);
    }
    VARIANT value;
    LONG number = 0;
    VARIANT referenced;
};

void SetI4(VARIANT& variant, LONG number) {
    V_VT(&variant) = VT_I4;
    V_I4(&variant) = number;
}

void SetR8(VARIANT& variant, double number) {
    V_VT(&variant) = VT_R8;
    V_R8(&variant) = number;
}

struct IndexRow {
    const char* name;
    void (*make)(IndexArg&);
    HRESULT result;
    int element;  // which of @N1@, @N2@, @N3@ comes back, -1 for none
};

const IndexRow kIndexRows[] = {
    {"empty is position 0", [](IndexArg&) {}, S_OK, 0},
    {"I4 2", [](IndexArg& a) { SetI4(a.value, 2); }, S_OK, 1},
    {"I4 0", [](IndexArg& a) { SetI4(a.value, 0); }, S_OK, 0},
    {"I4 -5", [](IndexArg& a) { SetI4(a.value, -5); }, S_OK, 0},
    {"I4 past the end", [](IndexArg& a) { SetI4(a.value, 4); }, E_FAIL, -1},
    {"I2 3",
     [](IndexArg& a) {
         V_VT(&a.value) = VT_I2;
         V_I2(&a.value) = 3;
     },
     S_OK, 2},
    {"R8 2.0", [](IndexArg& a) { SetR8(a.value, 2.0); }, S_OK, 1},
    // The platform's conversion rounds halves to even.
    {"R8 2.5", [](IndexArg& a) { SetR8(a.value, 2.5); }, S_OK, 1},
    {"R8 3.5", [](IndexArg& a) { SetR8(a.value, 3.5); }, E_FAIL, -1},
    {"BOOL true is -1",
     [](IndexArg& a) {
         V_VT(&a.value) = VT_BOOL;
         V_BOOL(&a.value) = VARIANT_TRUE;
     },
     S_OK, 0},
    {"ID with @ signs", [](IndexArg& a) { SetText(a.value, "@N2@"); }, S_OK, 1},
    {"ID without @ signs", [](IndexArg& a) { SetText(a.value, "N2"); }, E_FAIL, -1},
    {"ID in the wrong case", [](IndexArg& a) { SetText(a.value, "@n2@"); }, E_FAIL, -1},
    {"a string is an ID, never a position", [](IndexArg& a) { SetText(a.value, "2"); }, E_FAIL, -1},
    {"empty string", [](IndexArg& a) { SetText(a.value, ""); }, E_FAIL, -1},
    {"NULL converts to neither", [](IndexArg& a) { V_VT(&a.value) = VT_NULL; }, DISP_E_TYPEMISMATCH,
     -1},
    {"I4 by reference",
     [](IndexArg& a) {
         a.number = 3;
         V_VT(&a.value) = VT_BYREF | VT_I4;
         a.value.plVal = &a.number;
     },
     S_OK, 2},
    {"ID inside a VARIANT by reference",
     [](IndexArg& a) {
         SetText(a.referenced, "@N3@");
         V_VT(&a.value) = VT_BYREF | VT_VARIANT;
         V_VARIANTREF(&a.value) = &a.referenced;
     },
     S_OK, 2},
};

class KeyedItem : public CollectionTest {
   protected:
    // Runs every row against `collection`, whose elements are @N1@, @N2@, @N3@,
    // the test's records from `first` on.
    void ExpectIndexRows(IGDNotes* collection, int first) {
        CompareCaseScope caseSensitive(1);
        for (const IndexRow& row : kIndexRows) {
            SCOPED_TRACE(row.name);
            IndexArg index;
            row.make(index);
            IGDNoteRecord* element = nullptr;
            EXPECT_EQ(collection->get_Item(index.value, &element), row.result);
            EXPECT_EQ(IndexOf(element), row.element < 0 ? -1 : first + row.element);
            Drop(element);
        }
    }

    HRESULT ItemById(IGDNotes* collection, const char* id, int* element) {
        OwnedVariant index;
        SetText(index.value, id);
        IGDNoteRecord* found = nullptr;
        const HRESULT hr = collection->get_Item(index.value, &found);
        *element = IndexOf(found);
        Drop(found);
        return hr;
    }
};

// A list in file order and a store filed in another order read alike.
TEST_F(KeyedItem, ListAndStoreReadEveryKindOfIndex) {
    Fill(owner_->list, {"@N1@", "@N2@", "@N3@"});
    FakeRecord* n1 = NewRecord("@N1@");
    FakeRecord* n2 = NewRecord("@N2@");
    FakeRecord* n3 = NewRecord("@N3@");
    for (FakeRecord* record : {n3, n1, n2}) ASSERT_TRUE(owner_->store.Add(record));
    owner_->store.Seal();
    IGDNotes* list = nullptr;
    IGDNotes* store = nullptr;
    ASSERT_EQ(MakeLiveCollection(&list, owner_->list, owner_), S_OK);
    ASSERT_EQ(MakeStoreCollection(&store, owner_->store, owner_), S_OK);
    ExpectIndexRows(list, 0);
    ExpectIndexRows(store, 3);
    Drop(list);
    Drop(store);
}

TEST_F(KeyedItem, StorePositionsFollowIdOrderNotFileOrder) {
    for (const char* id : {"@I1@", "@I2@", "@I10@"}) ASSERT_TRUE(owner_->store.Add(NewRecord(id)));
    owner_->store.Seal();
    IGDNotes* individuals = nullptr;
    ASSERT_EQ(MakeStoreCollection(&individuals, owner_->store, owner_), S_OK);
    // Byte order: "@I10@" < "@I1@" < "@I2@".
    const int expected[] = {2, 0, 1};
    for (LONG position = 1; position <= 3; ++position) {
        OwnedVariant index;
        SetI4(index.value, position);
        IGDNoteRecord* element = nullptr;
        EXPECT_EQ(individuals->get_Item(index.value, &element), S_OK);
        EXPECT_EQ(IndexOf(element), expected[position - 1]) << position;
        Drop(element);
    }
    EXPECT_EQ(CountOf(individuals), 3);
    Drop(individuals);
}

TEST_F(KeyedItem, IdComparisonFollowsTheCaseSwitch) {
    Fill(owner_->list, {"@N1@", "@N2@"});
    for (const char* id : {"@N1@", "@N2@"}) ASSERT_TRUE(owner_->store.Add(NewRecord(id)));
    owner_->store.Seal();
    IGDNotes* list = nullptr;
    IGDNotes* store = nullptr;
    ASSERT_EQ(MakeLiveCollection(&list, owner_->list, owner_), S_OK);
    ASSERT_EQ(MakeStoreCollection(&store, owner_->store, owner_), S_OK);
    int element = -1;
    {
        CompareCaseScope caseSensitive(1);
        EXPECT_EQ(ItemById(list, "@n2@", &element), E_FAIL);
        EXPECT_EQ(ItemById(store, "@n2@", &element), E_FAIL);
    }
    {
        CompareCaseScope caseBlind(0);
        EXPECT_EQ(ItemById(list, "@n2@", &element), S_OK);
        EXPECT_EQ(element, 1);
        EXPECT_EQ(ItemById(store, "@n2@", &element), S_OK);
        EXPECT_EQ(element, 3);
    }
    Drop(list);
    Drop(store);
}

TEST_F(KeyedItem, ListFindsTheFirstOfEqualIdsAndSubRecordsByTheEmptyId) {
    Fill(owner_->list, {"@N1@", "", "@N1@"});
    IGDNotes* notes = nullptr;
    ASSERT_EQ(MakeLiveCollection(&notes, owner_->list, owner_), S_OK);
    int element = -1;
    EXPECT_EQ(ItemById(notes, "@N1@", &element), S_OK);
    EXPECT_EQ(element, 0);
    EXPECT_EQ(ItemById(notes, "", &element), S_OK);
    EXPECT_EQ(element, 1);
    Drop(notes);
}

TEST_F(KeyedItem, ReleasingAnElementLeavesTheCollectionAlone) {
    Fill(owner_->list, {"@N1@", "@N2@"});
    IUnknown* second = records_[1]->Identity();
    // From here on only the list holds the records.
    for (FakeRecord* record : records_) record->Release();
    records_.clear();

    IGDNotes* notes = nullptr;
    ASSERT_EQ(MakeLiveCollection(&notes, owner_->list, owner_), S_OK);
    OwnedVariant index;
    SetText(index.value, "@N2@");
    IGDNoteRecord* first = nullptr;
    ASSERT_EQ(notes->get_Item(index.value, &first), S_OK);
    Drop(first);
    IGDNoteRecord* again = nullptr;
    ASSERT_EQ(notes->get_Item(index.value, &again), S_OK);
    EXPECT_EQ(IdentityOf(again), second);
    Drop(again);
    EXPECT_EQ(CountOf(notes), 2);
    Drop(notes);
}

TEST_F(KeyedItem, NullOutPointer) {
    Fill(owner_->list, {"@N1@"});
    IGDNotes* notes = nullptr;
    ASSERT_EQ(MakeLiveCollection(&notes, owner_->list, owner_), S_OK);
    OwnedVariant index;
    EXPECT_EQ(notes->get_Item(index.value, nullptr), E_POINTER);
    Drop(notes);
}

}  // namespace
}  // namespace kinfold::test
