// A loaded database and the ways tests make the on-demand sub-records the
// owning records' members will hand out: one object from the first line with
// a given tag directly under a level-0 record, made as an owner makes it.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "core/gedcom_loader.h"
#include "db/gedcom_db.h"
#include "records/person/first_sub_record.h"
#include "records/person/name_place_fixture.h"

namespace kinfold::test {

class SubRecordFixture : public NamePlaceFixture {
   protected:
    // The level-0 record `id` in `store`.
    RecordBase* Owner(RecordStore& store, std::string_view id) {
        RecordBase* found = store.Find(id);
        EXPECT_NE(found, nullptr) << id;
        return found;
    }

    // A new object made by `factory` from the first `tag` line under `owner`, as
    // `Iface` with one reference for the caller to adopt; null when none.
    template <class Iface>
    Iface* Made(RecordBase* owner, std::string_view tag, RecordFactory factory) {
        RecordBase* record = nullptr;
        if (owner == nullptr || FAILED(BuildFirstSubRecord(*owner, tag, factory, &record)) ||
            record == nullptr)
            return nullptr;
        Iface* object = QueryFor<Iface>(record);
        record->Release();
        return object;
    }
};

}  // namespace kinfold::test
