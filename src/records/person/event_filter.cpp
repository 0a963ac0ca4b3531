#include "records/person/event_filter.h"

#include <new>
#include <utility>

#include "access/collections.h"
#include "platform/text.h"
#include "records/person/blank_objects.h"
#include "records/person/fact_event_record.h"

namespace kinfold {
namespace {

template <class Events>
std::unique_ptr<RecordList> Matching(const Events& events, const std::string& filter) {
    std::unique_ptr<RecordList> matching(new (std::nothrow) RecordList);
    if (matching == nullptr) return nullptr;
    for (size_t i = 0; i < events.Size(); ++i) {
        RecordBase* event = ElementAt(events, i);
        if (event == nullptr) return nullptr;
        if (static_cast<GDFactEventRecord*>(event)->Type() != filter) continue;
        if (!matching->Append(event)) return nullptr;
    }
    return matching;
}

}  // namespace

HRESULT ReadTagFilter(const VARIANT& tag, bool& filtered, std::string& text) {
    filtered = tag.vt != VT_ERROR;
    text.clear();
    if (!filtered) return S_OK;
    VARIANT converted;
    VariantInit(&converted);
    HRESULT hr = VariantChangeType(&converted, const_cast<VARIANT*>(&tag), 0, VT_BSTR);
    if (FAILED(hr)) return hr;
    text = BstrToText(converted.bstrVal);
    VariantClear(&converted);
    return S_OK;
}

std::unique_ptr<RecordList> EventsOfType(const RecordList& events, const std::string& filter) {
    return Matching(events, filter);
}

HRESULT ReturnEvents(IGDFactEvents** out, const LazyRecordList& events, const VARIANT& tag,
                     RecordBase* owner) {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    return CatchOutOfMemory([&] {
        bool filtered = false;
        std::string filter;
        const HRESULT read = ReadTagFilter(tag, filtered, filter);
        if (FAILED(read)) return read;
        if (!filtered) return MakeKeptLinesCollection(out, events, owner);
        return MakeBuiltCollection(out,
                                   Matching(KeptLinesView<LazyRecordList>{&events, owner}, filter));
    });
}

HRESULT ReturnEvent(IGDFactEventRecord** out, const LazyRecordList& events, size_t index,
                    const RecordBase& owner) {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    if (index >= events.Size()) return ReturnObject(out, BlankEventFor(owner));
    RecordBase* event = events.ObjectAt(owner, index);
    if (event == nullptr) return E_OUTOFMEMORY;
    return ReturnObject(out, event);
}

}  // namespace kinfold
