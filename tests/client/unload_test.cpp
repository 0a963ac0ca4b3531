// DllCanUnloadNow as COM asks it: the DLL must stay while any object it made
// is alive, a collection or an enumerator outliving the database included.
#include "client/client_support.h"
#include "support/temp_file.h"

namespace kinfold::client {
namespace {

constexpr char kFile[] =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME One /Person/\n"
    "0 @I2@ INDI\n1 NAME Two /Person/\n"
    "0 TRLR\n";

using CanUnloadNowEntry = HRESULT(STDAPICALLTYPE*)();

class UnloadTest : public ComTest {
   protected:
    static CanUnloadNowEntry CanUnloadNow() {
        HMODULE module = LoadedKinfold();
        if (module == nullptr) return nullptr;
        return reinterpret_cast<CanUnloadNowEntry>(
            reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    }
};

TEST_F(UnloadTest, CollectionAndEnumeratorKeepTheDllAfterTheDatabaseIsGone) {
    // Released in either order, the last one of the two frees the DLL.
    for (const bool collectionFirst : {true, false}) {
        SCOPED_TRACE(collectionFirst ? "collection released first" : "enumerator released first");
        kinfold::test::TempFile file(kFile);
        ComPtr<IGEDCOMdb> db;
        ASSERT_EQ(CreateDatabaseByProgId(db.Out()), S_OK);
        const CanUnloadNowEntry canUnloadNow = CanUnloadNow();
        ASSERT_NE(canUnloadNow, nullptr);
        ASSERT_TRUE(LoadFile(db.get(), file.Path()));

        ComPtr<IGDIndividuals> individuals;
        ASSERT_EQ(db->get_Individuals(individuals.Out()), S_OK);
        ComPtr<IUnknown> newEnum;
        ASSERT_EQ(individuals->get__NewEnum(newEnum.Out()), S_OK);
        ComPtr<IEnumVARIANT> enumerator;
        ASSERT_EQ(newEnum->QueryInterface(IID_IEnumVARIANT, enumerator.OutVoid()), S_OK);
        newEnum.Reset();
        EXPECT_EQ(canUnloadNow(), S_FALSE);

        db.Reset();
        EXPECT_EQ(canUnloadNow(), S_FALSE);
        // The enumerator still walks the records of the released database.
        VARIANT item;
        VariantInit(&item);
        ULONG fetched = 0;
        EXPECT_EQ(enumerator->Next(1, &item, &fetched), S_OK);
        EXPECT_EQ(fetched, 1u);
        EXPECT_EQ(item.vt, VT_DISPATCH);
        VariantClear(&item);
        EXPECT_EQ(canUnloadNow(), S_FALSE);

        if (collectionFirst) {
            individuals.Reset();
        } else {
            enumerator.Reset();
        }
        EXPECT_EQ(canUnloadNow(), S_FALSE);
        individuals.Reset();
        enumerator.Reset();
        EXPECT_EQ(canUnloadNow(), S_OK);
    }
}

}  // namespace
}  // namespace kinfold::client
