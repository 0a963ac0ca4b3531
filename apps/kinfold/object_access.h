// Small helpers over the object model's interfaces: a reference that
// releases itself, text and count reads that turn a missing object into an
// empty answer, and the two ways of walking a collection.
#pragma once

#include <memory>
#include <string>

#include "kinfold.h"
#include "platform/text.h"

namespace kinfold::cli {

// An interface pointer released when it goes out of scope.
template <class T>
class Ref {
   public:
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    Ref& operator=(Ref&& other) noexcept {
        if (this != std::addressof(other)) {
            if (p_ != nullptr) p_->Release();
            p_ = other.p_;
            other.p_ = nullptr;
        }
        return *this;
    }
    ~Ref() {
        if (p_ != nullptr) p_->Release();
    }
    // A reference of its own to an object the caller holds.
    static Ref Share(T* object) {
        Ref shared;
        if (object != nullptr) object->AddRef();
        shared.p_ = object;
        return shared;
    }
    T** operator&() {
        if (p_ != nullptr) p_->Release();
        p_ = nullptr;
        return &p_;
    }
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

   private:
    T* p_ = nullptr;
};

// A text member of `object`; "" when there is no object or the read fails.
template <class T>
std::string TextOf(T* object, HRESULT (STDMETHODCALLTYPE T::*member)(BSTR*)) {
    BSTR text = nullptr;
    if (object == nullptr || FAILED((object->*member)(&text))) {
        SysFreeString(text);
        return "";
    }
    std::string result = BstrToText(text);
    SysFreeString(text);
    return result;
}

// The object a member returns, or none.
template <class Result, class T>
Ref<Result> ObjectOf(T* object, HRESULT (STDMETHODCALLTYPE T::*member)(Result**)) {
    Ref<Result> result;
    if (object != nullptr) (object->*member)(&result);
    return result;
}

// Another interface of `object`, or none.
template <class Wanted, class Held>
Ref<Wanted> Query(Held* object, REFIID iid) {
    Ref<Wanted> wanted;
    if (object != nullptr) object->QueryInterface(iid, reinterpret_cast<void**>(&wanted));
    return wanted;
}

inline Ref<IGDAssistant> AssistantOf(IGEDCOMdb* db) {
    return ObjectOf(db, &IGEDCOMdb::get_Assistant);
}

template <class Collection>
long CountOf(Collection* collection) {
    LONG count = 0;
    if (collection == nullptr || FAILED(collection->get_Count(&count))) return 0;
    return count;
}

// Calls `visit` with each element of a collection of records, in order,
// through the enumerator a script's For Each uses.
template <class Element, class Collection, class Visit>
void ForEach(Collection* collection, Visit visit) {
    if (collection == nullptr) return;
    Ref<IUnknown> unknown;
    Ref<IEnumVARIANT> items;
    if (FAILED(collection->get__NewEnum(&unknown)) ||
        FAILED(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items))))
        return;
    VARIANT item;
    VariantInit(&item);
    while (items->Next(1, &item, nullptr) == S_OK) {
        Ref<Element> element;
        if (item.vt == VT_DISPATCH && item.pdispVal != nullptr &&
            SUCCEEDED(item.pdispVal->QueryInterface(__uuidof(Element),
                                                    reinterpret_cast<void**>(&element))))
            visit(element.get());
        VariantClear(&item);
    }
}

// An omitted optional argument, as automation hosts pass it: for Events,
// Attributes and the like, every item whatever its tag.
inline VARIANT Omitted() {
    VARIANT omitted;
    VariantInit(&omitted);
    omitted.vt = VT_ERROR;
    omitted.scode = DISP_E_PARAMNOTFOUND;
    return omitted;
}

// Item `id` (a cross-reference ID with its @ signs) of a keyed collection.
template <class Element, class Collection>
Ref<Element> ItemWithId(Collection* collection, const std::string& id) {
    Ref<Element> element;
    VARIANT key;
    VariantInit(&key);
    key.vt = VT_BSTR;
    key.bstrVal = AllocBstr(id);
    if (collection != nullptr && key.bstrVal != nullptr) collection->get_Item(key, &element);
    VariantClear(&key);
    return element;
}

}  // namespace kinfold::cli
