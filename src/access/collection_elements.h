// How a collection reaches the elements of each kind of container it can
// view, and how it hands one out: a record through the interface the caller
// asked for, a type name as a new string, a list value as a copy. Overloads
// per container keep the collection template free of container details.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "access/object_list.h"
#include "access/out_param.h"
#include "access/record_index.h"
#include "access/value_list.h"
#include "core/fixed_string.h"
#include "core/lazy_record_list.h"
#include "core/record_base.h"
#include "core/record_list.h"
#include "core/record_store.h"
#include "core/type_name_set.h"
#include "platform/automation.h"
#include "platform/text.h"

namespace kinfold {

inline RecordBase* ElementAt(const RecordList& list, size_t position) { return list.At(position); }

// A record's list of kept lines (names, family links, events) seen with the
// record, whose database the lines' objects are made from.
template <class Lines>
struct KeptLinesView {
    const Lines* lines;
    const RecordBase* owner;
    size_t Size() const { return lines->Size(); }
};
// Made on first use: null when memory runs out.
template <class Lines>
RecordBase* ElementAt(const KeptLinesView<Lines>& view, size_t position) {
    return view.lines->ObjectAt(*view.owner, position);
}
inline RecordBase* ElementAt(const RecordStore& store, size_t position) {
    return store.At(position);
}
inline const std::string* ElementAt(const TypeNameSet& set, size_t position) {
    return &*std::next(set.begin(), static_cast<std::ptrdiff_t>(position));
}
inline const VARIANT* ElementAt(const ValueList& list, size_t position) {
    return &list.At(position);
}
template <class Iface>
Iface* ElementAt(const ObjectList<Iface>& list, size_t position) {
    return list.At(position);
}

template <class Container>
using ElementOf = decltype(ElementAt(std::declval<const Container&>(), size_t{0}));

// Positions count from 1, and anything below 1 means the first element.
template <class Container>
HRESULT FindElement(const Container& container, LONG index, ElementOf<Container>* found) {
    const size_t position = index <= 1 ? 0 : static_cast<size_t>(index) - 1;
    if (position >= container.Size()) return E_FAIL;
    *found = ElementAt(container, position);
    return *found != nullptr ? S_OK : E_OUTOFMEMORY;
}

// IDs compare as FixedStrings do, so they follow the case switch.
inline RecordBase* FindById(const RecordList& list, std::string_view id) {
    for (RecordBase* record : list)
        if (TextEquals(BoundText(record->Id()), id)) return record;
    return nullptr;
}
inline RecordBase* FindById(const RecordStore& store, std::string_view id) {
    return store.Find(id);
}

template <class Container>
HRESULT FindElement(const Container& container, const VARIANT& index, RecordBase** found) {
    RecordIndex read;
    const HRESULT hr = ReadRecordIndex(index, read);
    if (FAILED(hr)) return hr;
    if (!read.byId) return FindElement(container, read.position, found);
    *found = FindById(container, read.id);
    return *found != nullptr ? S_OK : E_FAIL;
}

// Item's out-argument: an interface is released and a string freed first;
// a VARIANT keeps its value until a new one replaces it.
template <class T>
HRESULT BeginItemOut(T* out) {
    return BeginOut(out);
}
inline HRESULT BeginItemOut(VARIANT* out) { return out == nullptr ? E_POINTER : S_OK; }

template <class Element>
HRESULT HandOut(RecordBase* record, Element** out) {
    return record->QueryInterface(__uuidof(Element), reinterpret_cast<void**>(out));
}
inline HRESULT HandOut(const std::string* name, BSTR* out) {
    *out = AllocBstr(*name);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}
// mingw-w64 declares VariantCopy's source without const; it is only read.
inline HRESULT CopyValue(const VARIANT* value, VARIANT* out) {
    return VariantCopy(out, const_cast<VARIANT*>(value));
}

inline HRESULT HandOut(const VARIANT* value, VARIANT* out) { return CopyValue(value, out); }

// An object that is no record is handed out as the interface it is kept by.
template <class Iface, class = std::enable_if_t<std::is_base_of<IDispatch, Iface>::value>>
HRESULT HandOut(Iface* object, Iface** out) {
    object->AddRef();
    *out = object;
    return S_OK;
}

// The enumerator's copy into an empty VARIANT: records travel as IDispatch,
// which every host can call late-bound.
inline HRESULT CopyToVariant(RecordBase* record, VARIANT* out) {
    if (record == nullptr) return E_OUTOFMEMORY;
    IDispatch* dispatch = nullptr;
    const HRESULT hr = record->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    if (FAILED(hr)) return hr;
    V_VT(out) = VT_DISPATCH;
    V_DISPATCH(out) = dispatch;
    return S_OK;
}
inline HRESULT CopyToVariant(const std::string* name, VARIANT* out) {
    BSTR text = AllocBstr(*name);
    if (text == nullptr) return E_OUTOFMEMORY;
    V_VT(out) = VT_BSTR;
    V_BSTR(out) = text;
    return S_OK;
}
inline HRESULT CopyToVariant(const VARIANT* value, VARIANT* out) { return CopyValue(value, out); }
template <class Iface, class = std::enable_if_t<std::is_base_of<IDispatch, Iface>::value>>
HRESULT CopyToVariant(Iface* object, VARIANT* out) {
    object->AddRef();
    V_VT(out) = VT_DISPATCH;
    V_DISPATCH(out) = object;
    return S_OK;
}

}  // namespace kinfold
