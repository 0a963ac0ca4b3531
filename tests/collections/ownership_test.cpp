// Who keeps what alive: collections made by the factory functions, the
// containers they view or own, the owners of live containers, and the
// enumerators; plus the interfaces a collection answers.
#include <memory>

#include "access/collections.h"
#include "access/instance_creator.h"
#include "collections/collection_fixture.h"

namespace kinfold::test {
namespace {

class Ownership : public CollectionTest {};

// Factories refuse a NULL out-pointer, and release what one held.
TEST_F(Ownership, FactoriesReleaseWhatTheOutPointerHeld) {
    EXPECT_EQ(MakeLiveCollection<IGDNames>(nullptr, owner_->list, owner_), E_POINTER);
    EXPECT_EQ(MakeStoreCollection<IGDIndividuals>(nullptr, owner_->store, owner_), E_POINTER);
    EXPECT_EQ(MakeBuiltCollection<IGDNotes>(nullptr, std::make_unique<RecordList>()), E_POINTER);
    EXPECT_EQ(MakeBuiltCollection(nullptr, std::make_unique<ValueList>()), E_POINTER);
    EXPECT_EQ(MakeTypeNameCollection(nullptr, owner_->types, owner_), E_POINTER);
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

// A host may create a collection class by its CLSID; such a collection has
// nothing to show and refuses every member.
template <class CollectionIface>
void ExpectRefusesEveryMember(const char* name,
                              typename CollectionTraits<CollectionIface>::Index index) {
    SCOPED_TRACE(name);
    CollectionIface* collection = nullptr;
    ASSERT_EQ(CreateInstance<StandaloneCollection<CollectionIface>>(
                  nullptr, __uuidof(CollectionIface), reinterpret_cast<void**>(&collection)),
              S_OK);
    LONG count = 7;
    EXPECT_EQ(collection->get_Count(&count), E_POINTER);
    typename CollectionTraits<CollectionIface>::Result element{};
    EXPECT_EQ(collection->get_Item(index, &element), E_POINTER);
    IUnknown* enumerator = collection;
    collection->AddRef();
    // The out-argument's previous interface is released and the pointer cleared.
    EXPECT_EQ(collection->get__NewEnum(&enumerator), E_POINTER);
    EXPECT_EQ(enumerator, nullptr);
    collection->Release();
}

TEST_F(Ownership, CollectionsMadeThroughTheClassObjectHaveNoContainer) {
    OwnedVariant first;
    ExpectRefusesEveryMember<IGDIndividuals>("IGDIndividuals", first.value);
    ExpectRefusesEveryMember<IGDNames>("IGDNames", 1);
    ExpectRefusesEveryMember<IGDFactEventTypes>("IGDFactEventTypes", 1);
    ExpectRefusesEveryMember<IGDList>("IGDList", 1);
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
    EXPECT_EQ(CountOf(types), 1);
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
    IEnumVARIANT* enumerator = EnumeratorOf(notes);
    ASSERT_NE(enumerator, nullptr);
    Drop(notes);

    ASSERT_EQ(enumerator->Skip(1), S_OK);
    OwnedVariant element;
    ASSERT_EQ(enumerator->Next(1, &element.value, nullptr), S_OK);
    ASSERT_EQ(V_VT(&element.value), VT_DISPATCH);
    EXPECT_EQ(IdentityOf(V_DISPATCH(&element.value)), second);
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
    IEnumVARIANT* enumerator = EnumeratorOf(notes);
    ASSERT_NE(enumerator, nullptr);

    ReleaseOwner();
    EXPECT_FALSE(ownerDestroyed_);

    EXPECT_EQ(CountOf(notes), 2);
    OwnedVariant index;
    SetText(index.value, "@N2@");
    IGDNoteRecord* found = nullptr;
    ASSERT_EQ(notes->get_Item(index.value, &found), S_OK);
    EXPECT_EQ(IdentityOf(found), n2);
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
