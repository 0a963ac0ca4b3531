// The entry points a COM runtime calls: a class object for every coclass
// that is built, instances that work alone and aggregated, and the unload
// rule.
#include <gtest/gtest.h>

#include "access/module_state.h"
#include "server/entry_points.h"
#include "support/com_test_support.h"
#include "support/counting_outer.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

const CLSID* const kCoclasses[] = {
    &CLSID_GDIndividualRecord,
    &CLSID_GDFamilyRecord,
    &CLSID_GDFamilyLinkRecord,
    &CLSID_GDNameRecord,
    &CLSID_GDFactEventRecord,
    &CLSID_GDPlaceRecord,
    &CLSID_GDOrdinanceRecord,
    &CLSID_GDAssociationRecord,
    &CLSID_GDSourceRecord,
    &CLSID_GDSourceDataRecord,
    &CLSID_GDRepositoryRecord,
    &CLSID_GDCallNumberRecord,
    &CLSID_GDNoteRecord,
    &CLSID_GDMultimediaRecord,
    &CLSID_GDMediaFileRecord,
    &CLSID_GDHeaderRecord,
    &CLSID_GDSourceSystemRecord,
    &CLSID_GDSubmitterRecord,
    &CLSID_GDSubmissionRecord,
    &CLSID_GDAddressRecord,
    &CLSID_GDChangeDateRecord,
    &CLSID_GDReferenceNumberRecord,
    &CLSID_GDIndividuals,
    &CLSID_GDFamilies,
    &CLSID_GDNames,
    &CLSID_GDNotes,
    &CLSID_GDSources,
    &CLSID_GDRepositories,
    &CLSID_GDCallNumbers,
    &CLSID_GDFamilyLinks,
    &CLSID_GDFactEvents,
    &CLSID_GDFactEventTypes,
    &CLSID_GDPlaces,
    &CLSID_GDMultimedia,
    &CLSID_GDMediaFiles,
    &CLSID_GDSubmitters,
    &CLSID_GDReferenceNumbers,
    &CLSID_GDOrdinances,
    &CLSID_GDAssociations,
    &CLSID_GDList,
    &CLSID_GDAssistant,
    &CLSID_GEDCOMdb,
};

class ClassObjectTest : public ::testing::Test {
   protected:
    LiveObjectGuard guard_;
};

TEST_F(ClassObjectTest, EveryCoclassHasAClassObjectThatCreatesInstances) {
    ASSERT_EQ(sizeof(kCoclasses) / sizeof(kCoclasses[0]), 42u);
    for (const CLSID* clsid : kCoclasses) {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(
            DllGetClassObject(*clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Out())),
            S_OK);
        ComPtr<IDispatch> instance;
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch,
                                          reinterpret_cast<void**>(instance.Out())),
                  S_OK);
        EXPECT_TRUE(instance);
    }
}

// Relationships are only found by the assistant: no class object makes one.
TEST_F(ClassObjectTest, UnknownClassIsNotAvailable) {
    for (const CLSID* unknown : {&IID_IDispatch, &CLSID_GDRelationship, &CLSID_GDRelationships}) {
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(DllGetClassObject(*unknown, IID_IClassFactory, &object),
                  CLASS_E_CLASSNOTAVAILABLE);
        EXPECT_EQ(object, nullptr);
    }
    EXPECT_EQ(DllGetClassObject(CLSID_GEDCOMdb, IID_IClassFactory, nullptr), E_POINTER);
}

TEST_F(ClassObjectTest, AggregatedInstanceIsHandedOnlyAsItsInnerUnknown) {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(DllGetClassObject(CLSID_GDIndividualRecord, IID_IClassFactory,
                                reinterpret_cast<void**>(factory.Out())),
              S_OK);
    CountingOuter outer;
    void* inner = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IDispatch, &inner), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(inner, nullptr);

    IUnknown* innerUnknown = nullptr;
    ASSERT_EQ(
        factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&innerUnknown)),
        S_OK);
    // The inner object's interfaces count their references on the outer one.
    IGDIndividualRecord* individual = nullptr;
    ASSERT_EQ(innerUnknown->QueryInterface(IID_IGDIndividualRecord,
                                           reinterpret_cast<void**>(&individual)),
              S_OK);
    EXPECT_EQ(outer.refs, 2u);
    individual->Release();
    EXPECT_EQ(outer.refs, 1u);
    innerUnknown->Release();
}

TEST_F(ClassObjectTest, CanUnloadOnlyWhenNothingIsAliveOrLocked) {
    ASSERT_EQ(LiveObjectCount(), 0) << "another test leaked an object";
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
    ComPtr<IGEDCOMdb> db = NewDatabase();
    ComPtr<IGDIndividuals> individuals;
    ASSERT_EQ(db->get_Individuals(individuals.Out()), S_OK);
    ComPtr<IUnknown> enumerator;
    ASSERT_EQ(individuals->get__NewEnum(enumerator.Out()), S_OK);
    db.Reset();
    individuals.Reset();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);  // the enumerator keeps all alive
    enumerator.Reset();
    EXPECT_EQ(DllCanUnloadNow(), S_OK);

    ComPtr<IClassFactory> factory;
    DllGetClassObject(CLSID_GEDCOMdb, IID_IClassFactory, reinterpret_cast<void**>(factory.Out()));
    factory->LockServer(TRUE);
    factory.Reset();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    DllGetClassObject(CLSID_GEDCOMdb, IID_IClassFactory, reinterpret_cast<void**>(factory.Out()));
    factory->LockServer(FALSE);
    factory.Reset();
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST_F(ClassObjectTest, CollectionMadeByItsClassObjectHasNoContainer) {
    ComPtr<IClassFactory> factory;
    DllGetClassObject(CLSID_GDIndividuals, IID_IClassFactory,
                      reinterpret_cast<void**>(factory.Out()));
    ComPtr<IGDIndividuals> individuals;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IGDIndividuals,
                                      reinterpret_cast<void**>(individuals.Out())),
              S_OK);
    LONG count = -1;
    EXPECT_EQ(individuals->get_Count(&count), E_POINTER);
    ComPtr<IUnknown> enumerator;
    EXPECT_EQ(individuals->get__NewEnum(enumerator.Out()), E_POINTER);
}

TEST_F(ClassObjectTest, StringVariablePassedByReferenceIsAnId) {
    TempFile file("0 @I1@ INDI\n0 @I2@ INDI\n0 @3@ INDI\n0 TRLR\n");
    ComPtr<IGEDCOMdb> db = NewDatabase();
    ASSERT_TRUE(Load(db.get(), file.Path()));
    ComPtr<IGDIndividuals> individuals;
    db->get_Individuals(individuals.Out());
    Bstr text("@I2@");
    BSTR variable = text.get();
    VARIANT byRef;
    VariantInit(&byRef);
    byRef.vt = VT_BSTR | VT_BYREF;
    byRef.pbstrVal = &variable;
    ComPtr<IGDIndividualRecord> found;
    ASSERT_EQ(individuals->get_Item(byRef, found.Out()), S_OK);
    EXPECT_EQ(IdOf(found.get()), "@I2@");
}

}  // namespace
}  // namespace kinfold::test
