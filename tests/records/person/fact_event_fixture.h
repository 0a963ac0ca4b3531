// Loads a small GEDCOM text and hands out the events of its individuals and
// families as a host sees them, through IGDFactEventRecord.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "db/gedcom_db.h"
#include "records/person/fact_event_record.h"
#include "records/person/family_record.h"
#include "records/person/individual_record.h"
#include "support/loaded_database_test.h"

namespace kinfold::test {

class FactEventFixture : public LoadedDatabaseTest {
   protected:
    // The internal event; the individual's and family's own members that
    // return events are built elsewhere.
    GDFactEventRecord* IndividualEvent(std::string_view id, size_t index) const {
        auto* individual = static_cast<IndividualEntry*>(Database().IndividualStore().Find(id));
        if (individual == nullptr || index >= individual->Events().Size()) return nullptr;
        return static_cast<GDFactEventRecord*>(individual->Events().ObjectAt(*individual, index));
    }
    GDFactEventRecord* FamilyEvent(std::string_view id, size_t index) const {
        auto* family = static_cast<FamilyEntry*>(Database().FamilyStore().Find(id));
        if (family == nullptr || index >= family->Events().Size()) return nullptr;
        return static_cast<GDFactEventRecord*>(family->Events().ObjectAt(*family, index));
    }

    // The event's interface with one reference, as a host holds it.
    static ComPtr<IGDFactEventRecord> AsHost(GDFactEventRecord* event) {
        IGDFactEventRecord* out = nullptr;
        if (event != nullptr)
            static_cast<RecordBase*>(event)->QueryInterface(IID_IGDFactEventRecord,
                                                            reinterpret_cast<void**>(&out));
        return ComPtr<IGDFactEventRecord>(out);
    }

    // The text of a string member, or "<failed>" when it did not succeed.
    template <class Iface>
    static std::string TextOf(Iface* object, HRESULT (STDMETHODCALLTYPE Iface::*member)(BSTR*)) {
        Bstr text;
        return SUCCEEDED((object->*member)(text.Out())) ? text.Text() : "<failed>";
    }
};

}  // namespace kinfold::test
