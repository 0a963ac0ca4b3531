// Item by position and Count, for the collections indexed by a long: record
// lists, the event type names of a file and GDList strings.
#include <climits>
#include <cstdint>
#include <memory>

#include "access/collections.h"
#include "collections/collection_fixture.h"

namespace kinfold::test {
namespace {

class PositionalItem : public CollectionTest {};

struct PositionRow {
    LONG index;
    HRESULT result;
    int element;  // which record comes back, -1 for none
};

// Positions count from 1; anything below 1 is the first element.
const PositionRow kPositionsOfThree[] = {
    {INT32_MIN, S_OK, 0}, {-5, S_OK, 0}, {0, S_OK, 0},    {1, S_OK, 0},
    {2, S_OK, 1},         {3, S_OK, 2},  {4, E_FAIL, -1}, {INT32_MAX, E_FAIL, -1},
};

TEST_F(PositionalItem, CountsFromOneAndClampsBelowOne) {
    Fill(owner_->list, {"", "", ""});
    IGDReferenceNumbers* collection = nullptr;
    ASSERT_EQ(MakeLiveCollection(&collection, owner_->list, owner_), S_OK);
    for (const PositionRow& row : kPositionsOfThree) {
        SCOPED_TRACE(row.index);
        IGDReferenceNumberRecord* element = nullptr;
        EXPECT_EQ(collection->get_Item(row.index, &element), row.result);
        EXPECT_EQ(IndexOf(element), row.element);
        Drop(element);
    }
    Drop(collection);
}

TEST_F(PositionalItem, ReleasesWhatTheOutArgumentHeldAndClearsItOnFailure) {
    Fill(owner_->list, {"", ""});
    IGDReferenceNumbers* collection = nullptr;
    ASSERT_EQ(MakeLiveCollection(&collection, owner_->list, owner_), S_OK);
    IGDReferenceNumberRecord* element = nullptr;
    ASSERT_EQ(collection->get_Item(1, &element), S_OK);
    // The reference already in the out-argument is the caller's to hand over:
    // the live-object guard catches it if it is not released.
    EXPECT_EQ(collection->get_Item(2, &element), S_OK);
    EXPECT_EQ(IndexOf(element), 1);
    EXPECT_EQ(collection->get_Item(3, &element), E_FAIL);
    EXPECT_EQ(element, nullptr);
    Drop(collection);
}

TEST_F(PositionalItem, NullOutPointers) {
    IGDReferenceNumbers* collection = nullptr;
    ASSERT_EQ(MakeLiveCollection(&collection, owner_->list, owner_), S_OK);
    EXPECT_EQ(collection->get_Count(nullptr), E_POINTER);
    EXPECT_EQ(collection->get_Item(1, nullptr), E_POINTER);
    EXPECT_EQ(collection->get__NewEnum(nullptr), E_POINTER);
    Drop(collection);
}

TEST_F(PositionalItem, TypeNamesComeInByteOrderAsNewStrings) {
    for (const char* name : {"DEAT", "BIRT", "Military Service", "", "BIRT"})
        owner_->types.Add(name);
    IGDFactEventTypes* types = nullptr;
    ASSERT_EQ(MakeTypeNameCollection(&types, owner_->types, owner_), S_OK);

    EXPECT_EQ(CountOf(types), 4);
    const struct {
        LONG index;
        HRESULT result;
        const char* name;
    } rows[] = {{0, S_OK, ""},
                {1, S_OK, ""},
                {2, S_OK, "BIRT"},
                {3, S_OK, "DEAT"},
                {4, S_OK, "Military Service"},
                {5, E_FAIL, nullptr}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        // A string already in the out-argument is freed, also on failure.
        BSTR name = AllocBstr("left over");
        EXPECT_EQ(types->get_Item(row.index, &name), row.result);
        if (row.name == nullptr) {
            EXPECT_EQ(name, nullptr);
        } else {
            ASSERT_NE(name, nullptr);
            EXPECT_EQ(BstrToText(name), row.name);
        }
        SysFreeString(name);
    }
    EXPECT_EQ(types->get_Item(1, nullptr), E_POINTER);
    Drop(types);
}

TEST_F(PositionalItem, ListValuesComeBackAsCopies) {
    auto values = std::make_unique<ValueList>();
    ASSERT_TRUE(values->Append("555-1234"));
    ASSERT_TRUE(values->Append("555-9876"));
    IGDList* list = nullptr;
    ASSERT_EQ(MakeBuiltCollection(&list, std::move(values)), S_OK);

    EXPECT_EQ(CountOf(list), 2);
    const struct {
        LONG index;
        HRESULT result;
        const char* value;
    } rows[] = {{-1, S_OK, "555-1234"},
                {0, S_OK, "555-1234"},
                {1, S_OK, "555-1234"},
                {2, S_OK, "555-9876"},
                {3, E_FAIL, nullptr}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        OwnedVariant value;
        EXPECT_EQ(list->get_Item(row.index, &value.value), row.result);
        if (row.value != nullptr) {
            EXPECT_EQ(TextOf(value.value), row.value);
        }
    }

    // The caller's copy is its own: clearing it leaves the list intact.
    OwnedVariant first;
    ASSERT_EQ(list->get_Item(1, &first.value), S_OK);
    VariantClear(&first.value);
    ASSERT_EQ(list->get_Item(1, &first.value), S_OK);
    EXPECT_EQ(TextOf(first.value), "555-1234");
    // A value already in the out-argument is replaced.
    ASSERT_EQ(list->get_Item(2, &first.value), S_OK);
    EXPECT_EQ(TextOf(first.value), "555-9876");

    EXPECT_EQ(list->get_Item(1, nullptr), E_POINTER);
    Drop(list);
}

// Positions below 1 clamp to the first element, which an empty collection
// lacks; the out-argument stays empty.
TEST_F(PositionalItem, EmptyCollectionsFailForEveryIndex) {
    IGDReferenceNumbers* records = nullptr;
    IGDFactEventTypes* types = nullptr;
    IGDList* list = nullptr;
    ASSERT_EQ(MakeLiveCollection(&records, owner_->list, owner_), S_OK);
    ASSERT_EQ(MakeTypeNameCollection(&types, owner_->types, owner_), S_OK);
    ASSERT_EQ(MakeBuiltCollection(&list, std::make_unique<ValueList>()), S_OK);
    EXPECT_EQ(CountOf(records), 0);
    for (LONG index : {-1, 0, 1, 2}) {
        SCOPED_TRACE(index);
        IGDReferenceNumberRecord* element = nullptr;
        EXPECT_EQ(records->get_Item(index, &element), E_FAIL);
        EXPECT_EQ(element, nullptr);
        BSTR name = nullptr;
        EXPECT_EQ(types->get_Item(index, &name), E_FAIL);
        EXPECT_EQ(name, nullptr);
        OwnedVariant value;
        EXPECT_EQ(list->get_Item(index, &value.value), E_FAIL);
        EXPECT_EQ(V_VT(&value.value), VT_EMPTY);
    }
    Drop(records);
    Drop(types);
    Drop(list);
}

}  // namespace
}  // namespace kinfold::test
