// A database loaded from a small inline GEDCOM text, with the ways tests reach
// names and places before the individual and event members hand them out:
// the names an individual kept while loading, and places made from a PLAC
// line the way an event makes them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "core/gedcom_loader.h"
#include "core/record_list.h"
#include "db/gedcom_db.h"
#include "records/person/individual_record.h"
#include "records/person/on_demand_records.h"
#include "support/loaded_database_test.h"

namespace kinfold::test {

class NamePlaceFixture : public LoadedDatabaseTest {
   protected:
    IndividualEntry* Individual(std::string_view id) {
        RecordBase* found = Database().IndividualStore().Find(id);
        EXPECT_NE(found, nullptr) << id;
        return static_cast<IndividualEntry*>(found);
    }

    // The `index`-th NAME of individual `id` with one reference for the
    // caller to adopt, or null.
    IGDNameRecord* Name(std::string_view id, size_t index = 0) {
        IndividualEntry* individual = Individual(id);
        if (individual == nullptr || index >= individual->Names().Size()) return nullptr;
        return QueryFor<IGDNameRecord>(individual->Names().ObjectAt(*individual, index));
    }

    // A new place object, for the caller to adopt, for the PLAC line under
    // the first `eventTag` line of individual `id`; null when there is none.
    IGDPlaceRecord* Place(std::string_view id, std::string_view eventTag) {
        IndividualEntry* individual = Individual(id);
        int32_t position = -1;
        if (individual == nullptr || !individual->FindSubTag(eventTag, position, false) ||
            !individual->FindSubTag("PLAC", position, true))
            return nullptr;
        RecordBase* record = nullptr;
        int32_t after = -1;
        if (FAILED(Database().Loader().ParseSubRecord(&CreateRecordOf<RecordKind::Place>, position,
                                                      &record, &after)))
            return nullptr;
        IGDPlaceRecord* place = QueryFor<IGDPlaceRecord>(record);
        record->Release();
        return place;
    }

    // `Iface` of `record` with one new reference, or null.
    template <class Iface>
    static Iface* QueryFor(RecordBase* record) {
        Iface* object = nullptr;
        record->QueryInterface(__uuidof(Iface), reinterpret_cast<void**>(&object));
        return object;
    }
};

// The text a string member of `object` returns, or "<hr>" when it fails.
template <class Object>
std::string TextOf(Object* object, HRESULT (STDMETHODCALLTYPE Object::*member)(BSTR*)) {
    Bstr text;
    const HRESULT hr = (object->*member)(text.Out());
    if (hr != S_OK) return "<" + std::to_string(hr) + ">";
    return text.Text();
}

}  // namespace kinfold::test
