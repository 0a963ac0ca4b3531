// The database's connection point container, which holds no connection
// point, and the free-threaded marshaler it aggregates on Windows.
#include <gtest/gtest.h>

#include "server/entry_points.h"
#include "support/com_test_support.h"
#include "support/counting_outer.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

class ConnectionPointTest : public ::testing::Test {
   protected:
    void SetUp() override {
        ASSERT_EQ(db_->QueryInterface(IID_IConnectionPointContainer,
                                      reinterpret_cast<void**>(container_.Out())),
                  S_OK);
    }

    LiveObjectGuard guard_;  // checked after every other member is gone
    ComPtr<IGEDCOMdb> db_ = NewDatabase();
    ComPtr<IConnectionPointContainer> container_;
};

TEST_F(ConnectionPointTest, NoInterfaceHasAConnectionPoint) {
    const IID* const interfaces[] = {&DIID__IGEDCOMdbEvents, &IID_IGEDCOMdb, &IID_IDispatch,
                                     &IID_IUnknown, &GUID_NULL};
    for (const IID* iid : interfaces) {
        IConnectionPoint* point = reinterpret_cast<IConnectionPoint*>(1);
        EXPECT_EQ(container_->FindConnectionPoint(*iid, &point), CONNECT_E_NOCONNECTION);
        EXPECT_EQ(point, nullptr);
    }
    EXPECT_EQ(container_->FindConnectionPoint(DIID__IGEDCOMdbEvents, nullptr), E_POINTER);
}

TEST_F(ConnectionPointTest, EnumeratorEnumeratesNothing) {
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container_->EnumConnectionPoints(points.Out()), S_OK);
    ASSERT_TRUE(points);
    IConnectionPoint* buffer[2] = {nullptr, nullptr};
    ULONG fetched = 7;
    EXPECT_EQ(points->Next(2, buffer, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(points->Next(1, buffer, nullptr), S_FALSE);
    EXPECT_EQ(points->Skip(1), S_FALSE);
    EXPECT_EQ(points->Reset(), S_OK);
    ComPtr<IEnumConnectionPoints> clone;
    ASSERT_EQ(points->Clone(clone.Out()), S_OK);
    EXPECT_EQ(clone->Next(1, buffer, &fetched), S_FALSE);
    EXPECT_EQ(buffer[0], nullptr);
}

// The container belongs to the database. Windows aggregates the platform's
// marshaler; natively there is none.
TEST_F(ConnectionPointTest, ContainerAndMarshalerBelongToTheDatabase) {
    ComPtr<IUnknown> marshal;
    const HRESULT hr = db_->QueryInterface(IID_IMarshal, reinterpret_cast<void**>(marshal.Out()));
    // The container's IUnknown is the database's, and so is the marshaler's,
    // which delegates to its outer object.
    ComPtr<IUnknown> dbUnknown, fromContainer;
    db_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(dbUnknown.Out()));
    container_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(fromContainer.Out()));
    EXPECT_EQ(fromContainer.get(), dbUnknown.get());
#ifdef _WIN32
    ASSERT_EQ(hr, S_OK);
    ComPtr<IUnknown> outer;
    marshal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(outer.Out()));
    EXPECT_EQ(outer.get(), dbUnknown.get());
#else
    EXPECT_EQ(hr, E_NOINTERFACE);
#endif
}

// Inside an outer object, the marshaler too counts its references there.
TEST(AggregatedDatabaseTest, MarshalerAnswersForTheOuterObject) {
    LiveObjectGuard guard;
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(DllGetClassObject(CLSID_GEDCOMdb, IID_IClassFactory,
                                reinterpret_cast<void**>(factory.Out())),
              S_OK);
    CountingOuter outer;
    ComPtr<IUnknown> inner;
    ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(inner.Out())),
              S_OK);
    EXPECT_EQ(outer.refs, 1u);
    IUnknown* marshal = nullptr;
    const HRESULT hr = inner->QueryInterface(IID_IMarshal, reinterpret_cast<void**>(&marshal));
#ifdef _WIN32
    ASSERT_EQ(hr, S_OK);
    EXPECT_EQ(outer.refs, 2u);
    marshal->Release();
#else
    EXPECT_EQ(hr, E_NOINTERFACE);
    EXPECT_EQ(marshal, nullptr);
#endif
    EXPECT_EQ(outer.refs, 1u);
}

}  // namespace
}  // namespace kinfold::test
