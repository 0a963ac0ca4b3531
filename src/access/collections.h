// Making collections, for the members of records and of the database that
// return one. Each follows the same steps: a NULL out-pointer gives E_POINTER
// and an interface already in it is released; a failed creation returns its
// code; otherwise the new collection is queried for its interface into `out`.
//
// Live collections view a container that `owner` (the record or database
// holding it) owns, and keep `owner` alive; built collections take their list
// over. See collection.h for why.
#pragma once

#include <memory>
#include <new>
#include <type_traits>
#include <utility>

#include "access/collection.h"
#include "access/collection_traits.h"
#include "access/com_object.h"
#include "access/out_param.h"
#include "access/value_list.h"
#include "core/lazy_record_list.h"
#include "core/record_list.h"
#include "core/record_store.h"
#include "core/type_name_set.h"
#include "platform/automation.h"

namespace kinfold {

// A record's own list of objects (a multimedia record's files, ...).
template <class CollectionIface>
HRESULT MakeLiveCollection(CollectionIface** out, const RecordList& list, IUnknown* owner) {
    static_assert(kHoldsRecords<CollectionIface>, "a record list is shown by a record collection");
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    return CreateObject<Collection<CollectionIface, RecordList>>(out, list, owner);
}

// A record's list of kept lines (an individual's names, its unfiltered
// events, ...), whose objects are made as they are asked for.
template <class CollectionIface, class Lines>
HRESULT MakeKeptLinesCollection(CollectionIface** out, const Lines& lines, RecordBase* owner) {
    static_assert(kHoldsRecords<CollectionIface>, "a record list is shown by a record collection");
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    std::unique_ptr<KeptLinesView<Lines>> view(new (std::nothrow)
                                                   KeptLinesView<Lines>{&lines, owner});
    if (view == nullptr) return E_OUTOFMEMORY;
    return CreateObject<Collection<CollectionIface, KeptLinesView<Lines>>>(out, std::move(view),
                                                                           owner);
}

// One of the database's stores; Item counts positions in ID order.
template <class CollectionIface>
HRESULT MakeStoreCollection(CollectionIface** out, const RecordStore& store, IUnknown* owner) {
    static_assert(kFindsById<CollectionIface>,
                  "a store is shown by a collection of top-level records");
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    return CreateObject<Collection<CollectionIface, RecordStore>>(out, store, owner);
}

// A list of records made for this call, each record already holding one
// reference from the list. A null list is one the caller could not allocate.
template <class CollectionIface>
HRESULT MakeBuiltCollection(CollectionIface** out, std::unique_ptr<RecordList> list) {
    static_assert(kHoldsRecords<CollectionIface>, "a record list is shown by a record collection");
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    if (list == nullptr) return E_OUTOFMEMORY;
    return CreateObject<Collection<CollectionIface, RecordList>>(out, std::move(list));
}

// The strings of a GDList, made for this call.
inline HRESULT MakeBuiltCollection(IGDList** out, std::unique_ptr<ValueList> values) {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    if (values == nullptr) return E_OUTOFMEMORY;
    return CreateObject<Collection<IGDList, ValueList>>(out, std::move(values));
}

// One of the database's sets of event and attribute kinds.
inline HRESULT MakeTypeNameCollection(IGDFactEventTypes** out, const TypeNameSet& set,
                                      IUnknown* owner) {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    return CreateObject<Collection<IGDFactEventTypes, TypeNameSet>>(out, set, owner);
}

// The class a class object creates when a host asks for a collection by its
// CLSID: a collection without a container, which refuses its members.
template <class CollectionIface>
using StandaloneCollection = Collection<
    CollectionIface,
    std::conditional_t<std::is_same<CollectionIface, IGDList>::value, ValueList,
                       std::conditional_t<std::is_same<CollectionIface, IGDFactEventTypes>::value,
                                          TypeNameSet, RecordList>>>;

}  // namespace kinfold
