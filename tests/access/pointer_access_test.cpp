// How the library recognises an individual a host hands back in: the hidden
// IGDPointerAccess of individuals, and ResolveHostRecord built on it.
#include <gtest/gtest.h>

#include "access/pointer_handles.h"
#include "db/gedcom_db.h"
#include "records/person/individual_record.h"
#include "records/person/resolve_host_record.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"
#include "support/temp_file.h"

namespace kinfold::test {
namespace {

constexpr char kFile[] =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 FAMS @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n"
    "0 TRLR\n";

class PointerAccessTest : public ::testing::Test {
   protected:
    void SetUp() override {
        ASSERT_TRUE(Load(db_.get(), file_.Path()));
        ASSERT_TRUE(Load(other_.get(), file_.Path()));
    }

    ComPtr<IGDIndividualRecord> Individual(IGEDCOMdb* db, const char* id) {
        IGDIndividualRecord* individual = nullptr;
        Bstr text(id);
        EXPECT_EQ(db->GetIndividualFromID(text.get(), &individual), S_OK);
        return ComPtr<IGDIndividualRecord>(individual);
    }
    ComPtr<IGDPointerAccess> Access(IGDIndividualRecord* individual) {
        IGDPointerAccess* access = nullptr;
        EXPECT_EQ(
            individual->QueryInterface(IID_IGDPointerAccess, reinterpret_cast<void**>(&access)),
            S_OK);
        return ComPtr<IGDPointerAccess>(access);
    }
    ComPtr<IGDFamilyRecord> FirstFamily() {
        ComPtr<IGDFamilies> families;
        IGDFamilyRecord* family = nullptr;
        EXPECT_EQ(db_->get_Families(families.Out()), S_OK);
        EXPECT_EQ(families->get_Item(LongVariant(1), &family), S_OK);
        return ComPtr<IGDFamilyRecord>(family);
    }
    // The database as the individuals know it.
    static const RecordHost* Host(IGEDCOMdb* db) {
        return static_cast<const RecordHost*>(static_cast<GEDCOMdb*>(db));
    }

    LiveObjectGuard guard_;  // checked after every other member is gone
    TempFile file_{kFile};
    ComPtr<IGEDCOMdb> db_ = NewDatabase();
    ComPtr<IGEDCOMdb> other_ = NewDatabase();
};

TEST_F(PointerAccessTest, PtrChecksItsArgumentsAndIsStablePerIndividual) {
    ComPtr<IGDPointerAccess> access = Access(Individual(db_.get(), "@I1@").get());
    ASSERT_TRUE(access);
    const LONG own = InstanceHandleToken();
    EXPECT_NE(own, 0);
    LONG value = 77;
    EXPECT_EQ(access->get_Ptr(own, nullptr), E_POINTER);
    for (LONG wrong : {LONG(0), LONG(own + 1), LONG(-1)}) {
        value = 77;
        EXPECT_EQ(access->get_Ptr(wrong, &value), E_HANDLE) << wrong;
        EXPECT_EQ(value, 0);
    }
    EXPECT_EQ(access->get_Ptr(own, &value), S_OK);
    EXPECT_NE(value, 0);
    // The same for every read, another for another individual.
    LONG again = 0, other = 0;
    ASSERT_EQ(access->get_Ptr(own, &again), S_OK);
    ASSERT_EQ(Access(Individual(db_.get(), "@I2@").get())->get_Ptr(own, &other), S_OK);
    EXPECT_EQ(value, again);
    EXPECT_NE(value, other);
}

TEST_F(PointerAccessTest, OnlyIndividualsAnswerPointerAccess) {
    ComPtr<IGDFamilyRecord> family = FirstFamily();
    void* access = reinterpret_cast<void*>(1);
    EXPECT_EQ(family->QueryInterface(IID_IGDPointerAccess, &access), E_NOINTERFACE);
    EXPECT_EQ(access, nullptr);
    EXPECT_EQ(db_->QueryInterface(IID_IGDPointerAccess, &access), E_NOINTERFACE);
}

TEST_F(PointerAccessTest, PointerAccessIsReachedByNameToo) {
    ComPtr<IGDPointerAccess> access = Access(Individual(db_.get(), "@I1@").get());
    DISPID id = 5;
    OLECHAR name[] = OLESTR("Ptr");
    LPOLESTR names[] = {name};
    EXPECT_EQ(access->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, 0);
}

TEST_F(PointerAccessTest, ResolveHostRecordFindsOwnIndividualsOfTheSameDatabase) {
    ComPtr<IGDIndividualRecord> mine = Individual(db_.get(), "@I1@");
    ComPtr<IGDIndividualRecord> foreign = Individual(other_.get(), "@I1@");
    ComPtr<IGDFamilyRecord> family = FirstFamily();

    IndividualEntry* found = nullptr;
    ASSERT_EQ(ResolveHostRecord(mine.get(), Host(db_.get()), &found), S_OK);
    IGDIndividualRecord* same = nullptr;
    ASSERT_EQ(found->QueryInterface(IID_IGDIndividualRecord, reinterpret_cast<void**>(&same)),
              S_OK);
    EXPECT_EQ(same, mine.get());
    same->Release();

    const struct {
        IUnknown* object;
        HRESULT expected;
    } failures[] = {
        {foreign.get(), E_FAIL},
        {family.get(), E_NOINTERFACE},
        {db_.get(), E_NOINTERFACE},
        {nullptr, E_POINTER},
    };
    for (const auto& f : failures) {
        found = reinterpret_cast<IndividualEntry*>(1);
        EXPECT_EQ(ResolveHostRecord(f.object, Host(db_.get()), &found), f.expected);
        EXPECT_EQ(found, nullptr);
    }
}

// A host's own object that claims to be an individual and hands back a
// handle of its own choosing.
struct ForgedIndividual : IGDPointerAccess {
    LONG handle = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = IsEqualIID(riid, IID_IGDPointerAccess) || IsEqualIID(riid, IID_IUnknown) ? this
                                                                                        : nullptr;
        return *ppv != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_Ptr(LONG, LONG* pVal) override {
        *pVal = handle;
        return S_OK;
    }
};

TEST_F(PointerAccessTest, ForgedHandleThatStandsForNothingIsRefused) {
    ForgedIndividual forged;
    forged.handle = 0x7FFFFFF0;
    IndividualEntry* found = nullptr;
    EXPECT_EQ(ResolveHostRecord(&forged, Host(db_.get()), &found), E_HANDLE);
    EXPECT_EQ(found, nullptr);
}

TEST_F(PointerAccessTest, HandleOfAGoneIndividualStandsForNothing) {
    LONG handle = 0;
    {
        ComPtr<IGDIndividualRecord> individual = Individual(db_.get(), "@I2@");
        ASSERT_EQ(Access(individual.get())->get_Ptr(InstanceHandleToken(), &handle), S_OK);
        ASSERT_NE(IndividualOfPointerHandle(handle), nullptr);
    }
    // A new load drops the old records; nothing holds @I2@ any more.
    ASSERT_TRUE(Load(db_.get(), file_.Path()));
    EXPECT_EQ(IndividualOfPointerHandle(handle), nullptr);
}

}  // namespace
}  // namespace kinfold::test
