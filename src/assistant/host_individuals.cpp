#include "assistant/host_individuals.h"

#include <new>

#include "access/error_report.h"
#include "records/person/resolve_host_record.h"
#include "db/gedcom_db.h"
#include "kinfold.h"

namespace kinfold {
namespace {

HRESULT AddIndividual(IDispatch* object, const GEDCOMdb* database,
                      IndividualSequence& individuals) {
    if (object == nullptr) return E_INVALIDARG;
    IGDIndividualRecord* record = nullptr;
    HRESULT hr = object->QueryInterface(IID_IGDIndividualRecord, reinterpret_cast<void**>(&record));
    if (FAILED(hr)) return hr;
    IndividualEntry* individual = nullptr;
    hr = ResolveIndividual(record, database, &individual);
    record->Release();
    if (FAILED(hr)) return hr;
    // The callers hold a locked array or an enumerator: no exception may pass them.
    try {
        individuals.push_back(individual);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

// The lower bound plays no part: the elements are read in storage order.
HRESULT ReadArray(SAFEARRAY* array, bool ofVariants, const GEDCOMdb* database,
                  IndividualSequence& individuals) {
    if (array == nullptr) return E_INVALIDARG;
    if (SafeArrayGetDim(array) != 1) return DISP_E_BADINDEX;
    void* data = nullptr;
    HRESULT hr = SafeArrayAccessData(array, &data);
    if (FAILED(hr)) return hr;
    const ULONG count = array->rgsabound[0].cElements;
    for (ULONG i = 0; i < count && SUCCEEDED(hr); ++i) {
        if (!ofVariants) {
            hr = AddIndividual(static_cast<IDispatch**>(data)[i], database, individuals);
            continue;
        }
        const VARIANT& element = static_cast<VARIANT*>(data)[i];
        hr = V_VT(&element) == VT_DISPATCH
                 ? AddIndividual(V_DISPATCH(&element), database, individuals)
                 : E_INVALIDARG;
    }
    SafeArrayUnaccessData(array);
    return hr;
}

// The collection's _NewEnum is read late-bound, so any automation
// collection of individuals will do, ours or a host's.
HRESULT OpenEnumerator(IDispatch* collection, IEnumVARIANT** items) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = collection->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                                    DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
    if (FAILED(hr)) return hr;
    const bool holdsObject = (V_VT(&result) == VT_UNKNOWN || V_VT(&result) == VT_DISPATCH) &&
                             V_UNKNOWN(&result) != nullptr;
    hr = holdsObject
             ? V_UNKNOWN(&result)->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items))
             : E_NOINTERFACE;
    VariantClear(&result);
    return hr;
}

HRESULT ReadCollection(IDispatch* collection, const GEDCOMdb* database,
                       IndividualSequence& individuals) {
    if (collection == nullptr) return E_INVALIDARG;
    IEnumVARIANT* items = nullptr;
    HRESULT hr = OpenEnumerator(collection, &items);
    if (FAILED(hr)) return hr;
    VARIANT item;
    VariantInit(&item);
    while (SUCCEEDED(hr) && items->Next(1, &item, nullptr) == S_OK) {
        hr = V_VT(&item) == VT_DISPATCH ? AddIndividual(V_DISPATCH(&item), database, individuals)
                                        : E_INVALIDARG;
        VariantClear(&item);
    }
    items->Release();
    return hr;
}

}  // namespace

HRESULT ResolveIndividual(IUnknown* object, const GEDCOMdb* database,
                          IndividualEntry** individual) {
    *individual = nullptr;
    if (database == nullptr ||
        FAILED(ResolveHostRecord(object, static_cast<const RecordHost*>(database), individual)))
        return ReportError(kRecordNotOurs);
    return S_OK;
}

HRESULT ReadIndividualList(const VARIANT& list, const GEDCOMdb* database,
                           IndividualSequence& individuals) {
    switch (V_VT(&list)) {
        case VT_ARRAY | VT_DISPATCH:
            return ReadArray(V_ARRAY(&list), false, database, individuals);
        case VT_ARRAY | VT_VARIANT:
            return ReadArray(V_ARRAY(&list), true, database, individuals);
        case VT_DISPATCH:
            return ReadCollection(V_DISPATCH(&list), database, individuals);
        default:
            return E_INVALIDARG;
    }
}

HRESULT ReadOptionalIndividual(const VARIANT& argument, IUnknown** object) {
    *object = nullptr;
    switch (V_VT(&argument)) {
        case VT_ERROR:
            return S_OK;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            break;
        default:
            return E_INVALIDARG;
    }
    IUnknown* given = V_UNKNOWN(&argument);
    if (given == nullptr) return S_OK;
    IGDIndividualRecord* record = nullptr;
    const HRESULT hr =
        given->QueryInterface(IID_IGDIndividualRecord, reinterpret_cast<void**>(&record));
    if (FAILED(hr)) return hr;
    record->Release();
    *object = given;
    return S_OK;
}

}  // namespace kinfold
