// Iteration over a collection: the IEnumVARIANT its _NewEnum gives, one item
// at a time.
#include "binding.h"

namespace kinfold::python {
namespace {

struct Enumerator {
    PyObject ob_base;  // what PyObject_HEAD declares
    IEnumVARIANT* items;
};

PyTypeObject EnumeratorType = {PyVarObject_HEAD_INIT(nullptr, 0) "kinfold.Enumerator"};

PyObject* Enumerator_next(PyObject* object) {
    auto* enumerator = reinterpret_cast<Enumerator*>(object);
    VARIANT item;
    VariantInit(&item);
    ULONG fetched = 0;
    const HRESULT hr = enumerator->items->Next(1, &item, &fetched);
    if (FAILED(hr)) return RaiseFailure("IEnumVARIANT::Next", hr, nullptr);
    if (hr != S_OK || fetched == 0) return nullptr;  // the end: StopIteration
    PyObject* value = FromVariant(item);
    VariantClear(&item);
    return value;
}

void Enumerator_dealloc(PyObject* object) {
    reinterpret_cast<Enumerator*>(object)->items->Release();
    PyObject_Free(object);
}

}  // namespace

bool ReadyEnumeratorType() {
    EnumeratorType.tp_basicsize = sizeof(Enumerator);
    EnumeratorType.tp_flags = Py_TPFLAGS_DEFAULT;
    EnumeratorType.tp_dealloc = Enumerator_dealloc;
    EnumeratorType.tp_iter = PyObject_SelfIter;
    EnumeratorType.tp_iternext = Enumerator_next;
    return PyType_Ready(&EnumeratorType) == 0;
}

PyObject* Iterate(Object* self) {
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXCEPINFO excep = {};
    HRESULT hr =
        self->dispatch->Invoke(DISPID_NEWENUM, IID_NULL, 0, DISPATCH_PROPERTYGET | DISPATCH_METHOD,
                               &none, &result, &excep, nullptr);
    IEnumVARIANT* items = nullptr;
    if (SUCCEEDED(hr))
        hr =
            (result.vt == VT_UNKNOWN || result.vt == VT_DISPATCH) && result.punkVal != nullptr
                ? result.punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items))
                : E_NOINTERFACE;
    VariantClear(&result);
    if (FAILED(hr)) {
        if (hr == DISP_E_MEMBERNOTFOUND)
            return PyErr_Format(PyExc_TypeError, "%s is not iterable", InterfaceName(self).c_str());
        return RaiseFailure("_NewEnum", hr, &excep);
    }
    auto* enumerator = PyObject_New(Enumerator, &EnumeratorType);
    if (enumerator == nullptr) {
        items->Release();
        return nullptr;
    }
    enumerator->items = items;
    return reinterpret_cast<PyObject*>(enumerator);
}

}  // namespace kinfold::python
