// Loads a small GEDCOM text and hands out its individuals and families as a
// host holds them, with readers that turn collections into plain lists.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "db/gedcom_db.h"
#include "support/loaded_database_test.h"

namespace kinfold::test {

class PersonRecordFixture : public LoadedDatabaseTest {
   protected:
    ComPtr<IGDIndividualRecord> Individual(std::string_view id) const {
        return Query<IGDIndividualRecord>(Database().IndividualStore().Find(id));
    }
    ComPtr<IGDFamilyRecord> Family(std::string_view id) const {
        return Query<IGDFamilyRecord>(Database().FamilyStore().Find(id));
    }

    // The marker a host passes for an omitted optional argument.
    static VARIANT Omitted() {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_ERROR;
        v.scode = DISP_E_PARAMNOTFOUND;
        return v;
    }

    // A value that converts to no text.
    static VARIANT Null() {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_NULL;
        return v;
    }

    // The IDs of the records of a collection indexed by VARIANT, in order.
    template <class Collection>
    static std::vector<std::string> IdsIn(Collection* collection) {
        std::vector<std::string> ids;
        LONG count = 0;
        if (collection == nullptr || FAILED(collection->get_Count(&count))) return {"<failed>"};
        for (LONG i = 1; i <= count; ++i) {
            using Element = std::remove_pointer_t<
                std::remove_pointer_t<typename MemberOut<decltype(&Collection::get_Item)>::type>>;
            ComPtr<Element> element;
            Bstr id;
            if (FAILED(collection->get_Item(LongVariant(i), element.Out())) ||
                FAILED(element->get_ID(id.Out())))
                return {"<failed>"};
            ids.push_back(id.Text());
        }
        return ids;
    }

    // Each event of an event collection as "TAG date", in order.
    static std::vector<std::string> EventsIn(IGDFactEvents* events) {
        std::vector<std::string> texts;
        LONG count = 0;
        if (events == nullptr || FAILED(events->get_Count(&count))) return {"<failed>"};
        for (LONG i = 1; i <= count; ++i) {
            ComPtr<IGDFactEventRecord> event;
            Bstr tag;
            Bstr date;
            if (FAILED(events->get_Item(i, event.Out())) ||
                FAILED(event->get_GEDCOMTag(tag.Out())) || FAILED(event->get_Date(date.Out())))
                return {"<failed>"};
            texts.push_back(tag.Text() + " " + date.Text());
        }
        return texts;
    }

    template <class Iface>
    static std::string TextOf(Iface* object, HRESULT (STDMETHODCALLTYPE Iface::*member)(BSTR*)) {
        Bstr text;
        return SUCCEEDED((object->*member)(text.Out())) ? text.Text() : "<failed>";
    }

    // Whether `object` is the internal `record`: the same IUnknown, as COM identity goes.
    static bool Is(IUnknown* object, RecordBase* record) {
        if (object == nullptr || record == nullptr) return object == nullptr && record == nullptr;
        IUnknown* expected = nullptr;
        IUnknown* actual = nullptr;
        record->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&expected));
        object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&actual));
        ComPtr<IUnknown> heldExpected(expected);
        ComPtr<IUnknown> heldActual(actual);
        return expected != nullptr && expected == actual;
    }

   private:
    template <class Member>
    struct MemberOut;
    template <class Owner, class Index, class Out>
    struct MemberOut<HRESULT (STDMETHODCALLTYPE Owner::*)(Index, Out)> {
        using type = Out;
    };

    template <class Iface>
    static ComPtr<Iface> Query(RecordBase* record) {
        Iface* out = nullptr;
        if (record != nullptr)
            record->QueryInterface(__uuidof(Iface), reinterpret_cast<void**>(&out));
        return ComPtr<Iface>(out);
    }
};

}  // namespace kinfold::test
