// The interfaces beside the dual ones, reached through the registered
// server: ISupportErrorInfo, the hidden IGDPointerAccess of individuals, and
// the database's (empty) connection point container.
#include "client/client_support.h"
#include "support/temp_file.h"

namespace kinfold::client {
namespace {

constexpr char kFile[] =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Bob /Lee/\n1 FAMS @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n"
    "0 TRLR\n";

class ObjectInterfacesTest : public ComTest {
   protected:
    void SetUp() override {
        ComTest::SetUp();
        ASSERT_EQ(CreateDatabaseByProgId(db_.Out()), S_OK);
        ASSERT_TRUE(LoadFile(db_.get(), file_.Path()));
        Bstr id(L"@I1@");
        ASSERT_EQ(db_->GetIndividualFromID(id.get(), individual_.Out()), S_OK);
        ComPtr<IGDFamilies> families;
        ASSERT_EQ(db_->get_Families(families.Out()), S_OK);
        ASSERT_EQ(ItemOf(families.get(), 1, family_.Out()), S_OK);
        ASSERT_TRUE(individual_ && family_);
    }
    // The objects go before the apartment does.
    void TearDown() override {
        family_.Reset();
        individual_.Reset();
        db_.Reset();
        ComTest::TearDown();
    }

    kinfold::test::TempFile file_{kFile};
    ComPtr<IGEDCOMdb> db_;
    ComPtr<IGDIndividualRecord> individual_;
    ComPtr<IGDFamilyRecord> family_;
};

TEST_F(ObjectInterfacesTest, ErrorInfoIsSupportedForTheObjectsOwnInterfaceOnly) {
    const struct {
        const char* what;
        IUnknown* object;
        const IID* iid;
        HRESULT expected;
    } cases[] = {
        {"database, own", db_.get(), &IID_IGEDCOMdb, S_OK},
        {"database, another", db_.get(), &IID_IGDIndividualRecord, S_FALSE},
        {"database, IDispatch", db_.get(), &IID_IDispatch, S_FALSE},
        {"individual, own", individual_.get(), &IID_IGDIndividualRecord, S_OK},
        {"individual, another", individual_.get(), &IID_IGDFamilyRecord, S_FALSE},
        {"family, own", family_.get(), &IID_IGDFamilyRecord, S_OK},
        {"family, another", family_.get(), &IID_IGEDCOMdb, S_FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ComPtr<ISupportErrorInfo> support;
        ASSERT_EQ(c.object->QueryInterface(IID_ISupportErrorInfo, support.OutVoid()), S_OK);
        EXPECT_EQ(support->InterfaceSupportsErrorInfo(*c.iid), c.expected);
    }
}

TEST_F(ObjectInterfacesTest, OnlyIndividualsAnswerPointerAccess) {
    void* access = reinterpret_cast<void*>(1);
    EXPECT_EQ(family_->QueryInterface(IID_IGDPointerAccess, &access), E_NOINTERFACE);
    EXPECT_EQ(access, nullptr);
    access = reinterpret_cast<void*>(1);
    EXPECT_EQ(db_->QueryInterface(IID_IGDPointerAccess, &access), E_NOINTERFACE);
    EXPECT_EQ(access, nullptr);
    ComPtr<IGDPointerAccess> individualAccess;
    EXPECT_EQ(individual_->QueryInterface(IID_IGDPointerAccess, individualAccess.OutVoid()), S_OK);
    EXPECT_TRUE(individualAccess);
}

TEST_F(ObjectInterfacesTest, PtrAnswersOnlyTheLibrarysOwnInstanceHandle) {
    ComPtr<IGDPointerAccess> access;
    ASSERT_EQ(individual_->QueryInterface(IID_IGDPointerAccess, access.OutVoid()), S_OK);
    const LONG own = InstanceToken(LoadedKinfold());
    ASSERT_NE(own, 0);
    const struct {
        const char* what;
        LONG hinst;
    } wrong[] = {
        {"zero", 0},
        {"off by one", own + 1},
        {"the host's own module", InstanceToken(GetModuleHandleW(nullptr))},
        {"the system's ole32", InstanceToken(GetModuleHandleW(L"ole32.dll"))},
    };
    for (const auto& c : wrong) {
        SCOPED_TRACE(c.what);
        LONG value = 77;
        EXPECT_EQ(access->get_Ptr(c.hinst, &value), E_HANDLE);
        EXPECT_EQ(value, 0);
    }
    // The right handle gives a value that stays the individual's.
    LONG first = 0, again = 0;
    EXPECT_EQ(access->get_Ptr(own, &first), S_OK);
    EXPECT_NE(first, 0);
    EXPECT_EQ(access->get_Ptr(own, &again), S_OK);
    EXPECT_EQ(first, again);
}

TEST_F(ObjectInterfacesTest, DatabaseOffersNoConnectionPoints) {
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(db_->QueryInterface(IID_IConnectionPointContainer, container.OutVoid()), S_OK);
    for (const IID* iid : {&DIID__IGEDCOMdbEvents, &IID_IPropertyNotifySink}) {
        IConnectionPoint* point = reinterpret_cast<IConnectionPoint*>(1);
        EXPECT_EQ(container->FindConnectionPoint(*iid, &point), CONNECT_E_NOCONNECTION);
        EXPECT_EQ(point, nullptr);
    }
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(points.Out()), S_OK);
    ASSERT_TRUE(points);
    IConnectionPoint* point = nullptr;
    ULONG fetched = 5;
    EXPECT_EQ(points->Next(1, &point, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(point, nullptr);
    EXPECT_EQ(points->Skip(1), S_FALSE);
}

}  // namespace
}  // namespace kinfold::client
