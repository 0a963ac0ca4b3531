// Reading answers through the records' interfaces, as a host does, in
// the few forms the answer tables use: a text member, an object let go of,
// and every item of a collection.
#pragma once

#include <string>

#include "kinfold.h"
#include "platform/text.h"

namespace kinfold::test {

inline std::string TakeText(BSTR text) {
    std::string out = BstrToText(text);
    SysFreeString(text);
    return out;
}

template <class Object, class Getter>
std::string TextOf(Object* object, Getter getter) {
    if (object == nullptr) return "none";
    BSTR text = nullptr;
    if (FAILED((object->*getter)(&text))) return "failed";
    return TakeText(text);
}

// The marker a host passes for an omitted optional argument: every tag,
// for Events and Attributes.
inline VARIANT Omitted() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

template <class Object>
void Release(Object* object) {
    if (object != nullptr) object->Release();
}

// Item's index, counted from 1: a long for most collections, a VARIANT for
// those that also take an ID.
struct ItemIndex {
    long i;
    operator LONG() const { return static_cast<LONG>(i + 1); }
    operator VARIANT() const {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = static_cast<LONG>(i + 1);
        return v;
    }
};

// Calls `visit(item, index)` for every item of `collection`, then lets go.
template <class Item, class Collection, class Visit>
void ForEachItem(Collection* collection, Visit visit) {
    if (collection == nullptr) return;
    LONG count = 0;
    collection->get_Count(&count);
    for (long i = 0; i < count; ++i) {
        Item* item = nullptr;
        collection->get_Item(ItemIndex{i}, &item);
        visit(item, static_cast<size_t>(i));
        Release(item);
    }
    collection->Release();
}

}  // namespace kinfold::test
