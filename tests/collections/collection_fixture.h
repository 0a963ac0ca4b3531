// Common ground for the collection tests: records made by ID and held by the
// test, an owner for live containers, and readers for what collections hand
// out. Every test starts and ends with the same number of live objects.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "collections/fake_objects.h"
#include "platform/automation.h"
#include "platform/text.h"
#include "support/live_object_guard.h"

namespace kinfold::test {

class CollectionTest : public ::testing::Test {
   protected:
    CollectionTest() : owner_(NewObject<FakeOwnerImpl>(&ownerDestroyed_)) { owner_->AddRef(); }
    ~CollectionTest() override {
        ReleaseOwner();
        for (FakeRecord* record : records_) record->Release();
    }

    // A new record, held by the test until it ends.
    FakeRecord* NewRecord(std::string_view id) {
        FakeRecord* record = NewObject<FakeRecordImpl>(id);
        record->AddRef();
        records_.push_back(record);
        return record;
    }
    // New records appended to `list` in the order given.
    void Fill(RecordList& list, std::vector<std::string> ids) {
        for (const std::string& id : ids) ASSERT_TRUE(list.Append(NewRecord(id)));
    }

    // The COM identity of `element`, for comparing only (no reference is kept).
    static IUnknown* IdentityOf(IUnknown* element) {
        IUnknown* identity = nullptr;
        if (element == nullptr ||
            FAILED(element->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity))))
            return nullptr;
        identity->Release();
        return identity;
    }

    // Which of the test's records (in order of making) `element` is; -1 for none.
    int IndexOf(IUnknown* element) const {
        IUnknown* identity = IdentityOf(element);
        for (size_t i = 0; i < records_.size(); ++i)
            if (identity != nullptr && records_[i]->Identity() == identity)
                return static_cast<int>(i);
        return -1;
    }

    template <class CollectionIface>
    static LONG CountOf(CollectionIface* collection) {
        LONG count = -1;
        EXPECT_EQ(collection->get_Count(&count), S_OK);
        return count;
    }

    // The enumerator of `collection`, as a host's for-each gets it.
    template <class CollectionIface>
    static IEnumVARIANT* EnumeratorOf(CollectionIface* collection) {
        IUnknown* unknown = nullptr;
        EXPECT_EQ(collection->get__NewEnum(&unknown), S_OK);
        IEnumVARIANT* enumerator = nullptr;
        if (unknown != nullptr) {
            EXPECT_EQ(
                unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&enumerator)),
                S_OK);
            unknown->Release();
        }
        return enumerator;
    }

    // Lets the host's reference to the owner go, as a host releasing the
    // database (or record) would.
    void ReleaseOwner() {
        if (owner_ != nullptr) owner_->Release();
        owner_ = nullptr;
    }

    LiveObjectGuard guard_;
    bool ownerDestroyed_ = false;
    FakeOwner* owner_;
    std::vector<FakeRecord*> records_;
};

// A VARIANT that clears itself.
struct OwnedVariant {
    OwnedVariant() { VariantInit(&value); }
    ~OwnedVariant() { VariantClear(&value); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    VARIANT value;
};

inline void SetText(VARIANT& variant, std::string_view text) {
    V_VT(&variant) = VT_BSTR;
    V_BSTR(&variant) = AllocBstr(text);
}

inline std::string TextOf(const VARIANT& variant) {
    return V_VT(&variant) == VT_BSTR ? BstrToText(V_BSTR(&variant)) : "<not a string>";
}

// Releases an interface the test received, and clears the pointer.
template <class T>
void Drop(T*& pointer) {
    if (pointer != nullptr) pointer->Release();
    pointer = nullptr;
}

}  // namespace kinfold::test
