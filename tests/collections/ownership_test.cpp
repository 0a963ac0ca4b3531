// Who keeps what alive: collections made by the factory functions, the
// containers they view or own, the owners of live containers, and the
// enumerators; plus the interfaces a collection answers.
#include <memory>

#include "access/collections.h"
#include "collections/collection_fixture.h"

namespace kinfold::test {
namespace {

class Ownership : public CollectionTest {
 protected:
    LONG CountOf(IGDNotes* notes) {
        LONG count = -1;
        EXPECT_EQ(notes->get_Count(&count), S_OK);
        return count;
    }
};

TEST_F(Ownership, FactoriesRefuseANullOutPointer) {
    EXPECT_EQ(MakeLiveCollection<IGDNames>(nullptr, owner_->list, owner_), E_POINTER);
    EXPECT_EQ(MakeStoreCollection<IGDIndividuals>(nullptr, owner_->store, owner_), E_POINTER);
    EXPECT_EQ(MakeBuiltCollection<IGDNotes>(nullptr, std::make_unique<RecordList>()), E_POINTER);
    EXPECT_EQ(MakeBuiltCollection(nullptr, std::make_unique<ValueList>()), E_POINTER);
    EXPECT_EQ(MakeTypeNameCollection(nullptr, owner_->types, owner_), E_POINTER);
}

TEST_F(Ownership, FactoriesReleaseWhatTheOutPointerHeld) {
    IGDNotes* notes = nullptr;
    ASSERT_EQ(MakeLiveCollection(&notes, owner_->list, owner_), S_OK);
    const long alive = LiveObjectCount();
    ASSERT_EQ(MakeStoreCollection(&notes, owner_->store, owner_), S_OK);
    // The previous collection went and the new one came.
    EXPECT_EQ(LiveObjectCount(), alive);
    EXPECT_NE(notes, nullptr);
    ASSERT_EQ(MakeBuiltCollection(&notes, std::unique_ptr<RecordList>()), E_OUTOFMEMORY);
    EXPECT_EQ(notes, nullptr);
    EXPECT_EQ(LiveObjectCount(), alive - 1);
}

TEST_F(Ownership, CollectionsAnswerTheirInterfaceAndIDispatchOnly) {
    IGDNotes* notes = nullptr;
    ASSERT_EQ(MakeLiveCollection(&notes, owner_->list, owner_), S_OK);
    const struct {
        const IID* iid;
        HRESULT result;
    } rows[] = {{&IID_IUnknown, S_OK},
                {&__uuidof(IGDNotes), S_OK},
                {&IID_IDispatch, S_OK},
                {&IID_ISupportErrorInfo, E_NOINTERFACE},
                {&IID_IEnumVARIANT, E_NOINTERFACE},
                {&__uuidof(IGDSources), E_NOINTERFACE},
                {&__uuidof(IGDNoteRecord), E_NOINTERFACE}};
    for (const auto& row : rows) {
        void* answer = nullptr;
        EXPECT_EQ(notes->QueryInterface(*row.iid, &answer), row.result);
        if (row.result == S_OK) {
            // Every answer is the collection interface itself: IDispatch
            // serves its members.
            EXPECT_EQ(answer, static_cast<void*>(notes));
            static_cast<IUnknown*>(answer)->Release();
        } else {
            EXPECT_EQ(answer, nullptr);
        }
    }
    Drop(notes);
}

TEST_F(Ownership, LiveCollectionsShowTheContainerAsItIsNow) {
    Fill(owner_->list, {"@N1@"});
    IGDNotes* first = nullptr;
    IGDNotes* second = nullptr;
    ASSERT_EQ(MakeLiveCollection(&first, owner_->list, owner_), S_OK);
    ASSERT_EQ(MakeLiveCollection(&second, owner_->list, owner_), S_OK);
    // Two reads are two objects over the same list.
    EXPECT_NE(first, second);
    Fill(owner_->list, {"@N2@"});
    EXPECT_EQ(CountOf(first), 2);
    EXPECT_EQ(CountOf(second), 2);
    owner_->list.Clear();
    EXPECT_EQ(CountOf(first), 0);
    Drop(first);
    Drop(second);

    IGDFactEventTypes* types = nullptr;
    ASSERT_EQ(MakeTypeNameCollection(&types, owner_->types, owner_), S_OK);
    owner_->types.Add("BIRT");
    LONG count = -1;
    EXPECT_EQ(types->get_Count(&count), S_OK);
    EXPECT_EQ(count, 1);
    Drop(types);
}

TEST_F(Ownership, BuiltCollectionOwnsItsRecords) {
    auto list = std::make_unique<RecordList>();
    Fill(*list, {"@N1@", "@N2@"});
    IGDNotes* notes = nullptr;
    ASSERT_EQ(MakeBuiltCollection(&notes, std::move(list)), S_OK);
    const long withRecords = LiveObjectCount();
    // The host lets its own references go; the collection still shows both.
    for (FakeRecord* record : records_) record->Release();
    records_.clear();
    EXPECT_EQ(LiveObjectCount(), withRecords);
    EXPECT_EQ(CountOf(notes), 2);
    Drop(notes);
    // Collection and both records are gone.
    EXPECT_EQ(LiveObjectCount(), withRecords - 3);
}

TEST_F(Ownership, EnumeratorKeepsABuiltListAlive) {
    auto list = std::make_unique<RecordList>();
    Fill(*list, {"@N1@", "@N2@"});
    IUnknown* second = records_[1]->Identity();
    for (FakeRecord* record : records_) record->Release();
    records_.clear();
    IGDNotes* notes = nullptr;
    ASSERT_EQ(MakeBuiltCollection(&notes, std::move(list)), S_OK);
    IUnknown* unknown = nullptr;
    ASSERT_EQ(notes->get__NewEnum(&unknown), S_OK);
    IEnumVARIANT* enumerator = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&enumerator)),
              S_OK);
    Drop(unknown);
    Drop(notes);

    ASSERT_EQ(enumerator->Skip(1), S_OK);
    OwnedVariant element;
    ASSERT_EQ(enumerator->Next(1, &element.value, nullptr), S_OK);
    ASSERT_EQ(V_VT(&element.value), VT_DISPATCH);
    IUnknown* identity = nullptr;
    ASSERT_EQ(V_DISPATCH(&element.value)
                  ->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)),
              S_OK);
    EXPECT_EQ(identity, second);
    Drop(identity);
    VariantClear(&element.value);
    const long withList = LiveObjectCount();
    Drop(enumerator);
    // Enumerator, collection and both records.
    EXPECT_EQ(LiveObjectCount(), withList - 4);
}

// A host that lets the database (or a record) go while it still holds one of
// its live collections and an enumerator: both keep working, and the owner
// goes only with the last of them.
TEST_F(Ownership, OwnerOutlivesItsLiveCollectionsAndTheirEnumerators) {
    for (const char* id : {"@N2@", "@N1@"}) ASSERT_TRUE(owner_->store.Add(NewRecord(id)));
    owner_->store.Seal();
    IUnknown* n2 = records_[0]->Identity();
    for (FakeRecord* record : records_) record->Release();
    records_.clear();
    owner_->types.Add("BIRT");

    IGDNotes* notes = nullptr;
    IGDFactEventTypes* types = nullptr;
    ASSERT_EQ(MakeStoreCollection(&notes, owner_->store, owner_), S_OK);
    ASSERT_EQ(MakeTypeNameCollection(&types, owner_->types, owner_), S_OK);
    IUnknown* unknown = nullptr;
    ASSERT_EQ(notes->get__NewEnum(&unknown), S_OK);
    IEnumVARIANT* enumerator = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&enumerator)),
              S_OK);
    Drop(unknown);

    ReleaseOwner();
    EXPECT_FALSE(ownerDestroyed_);

    LONG count = -1;
    EXPECT_EQ(notes->get_Count(&count), S_OK);
    EXPECT_EQ(count, 2);
    OwnedVariant index;
    SetText(index.value, "@N2@");
    IGDNoteRecord* found = nullptr;
    ASSERT_EQ(notes->get_Item(index.value, &found), S_OK);
    IUnknown* identity = nullptr;
    ASSERT_EQ(found->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, n2);
    Drop(identity);
    Drop(found);
    BSTR name = nullptr;
    EXPECT_EQ(types->get_Item(1, &name), S_OK);
    EXPECT_EQ(BstrToText(name), "BIRT");
    SysFreeString(name);

    Drop(notes);
    Drop(types);
    EXPECT_FALSE(ownerDestroyed_);
    VARIANT raw[2];
    ULONG fetched = 0;
    EXPECT_EQ(enumerator->Next(2, raw, &fetched), S_OK);
    EXPECT_EQ(fetched, 2u);
    for (VARIANT& element : raw) VariantClear(&element);
    Drop(enumerator);
    EXPECT_TRUE(ownerDestroyed_);
}

}  // namespace
}  // namespace kinfold::test
