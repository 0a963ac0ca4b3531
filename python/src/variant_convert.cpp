// Values crossing between Python and automation: numbers, flags, text,
// objects and one-dimensional arrays.
#include <algorithm>
#include <cstdint>

#include "binding.h"

namespace kinfold::python {
namespace {

PyObject* FromBstr(BSTR text) {
    if (text == nullptr) return PyUnicode_FromStringAndSize("", 0);
    int littleEndian = -1;
    return PyUnicode_DecodeUTF16(reinterpret_cast<const char*>(text),
                                 static_cast<Py_ssize_t>(SysStringLen(text)) * 2, "surrogatepass",
                                 &littleEndian);
}

PyObject* FromUnknown(IUnknown* unknown) {
    if (unknown == nullptr) Py_RETURN_NONE;
    IDispatch* dispatch = nullptr;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        PyErr_SetString(PyExc_TypeError, "an object without IDispatch cannot be used from Python");
        return nullptr;
    }
    PyObject* wrapped = Wrap(dispatch);
    dispatch->Release();
    return wrapped;
}

PyObject* FromArray(SAFEARRAY* array) {
    VARTYPE type = VT_EMPTY;
    LONG low = 0, high = -1;
    if (SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetVartype(array, &type)) ||
        type != VT_VARIANT || FAILED(SafeArrayGetLBound(array, 1, &low)) ||
        FAILED(SafeArrayGetUBound(array, 1, &high))) {
        PyErr_SetString(PyExc_TypeError, "only one-dimensional arrays of VARIANT are converted");
        return nullptr;
    }
    PyObject* list = PyList_New(0);
    for (LONG i = low; list != nullptr && i <= high; ++i) {
        VARIANT element;
        VariantInit(&element);
        PyObject* item = SUCCEEDED(SafeArrayGetElement(array, &i, &element)) ? FromVariant(element)
                                                                               : nullptr;
        VariantClear(&element);
        if (item == nullptr || PyList_Append(list, item) != 0) Py_CLEAR(list);
        Py_XDECREF(item);
    }
    return list;
}

bool ListToVariant(PyObject* sequence, VARIANT* out) {
    const Py_ssize_t count = PySequence_Size(sequence);
    if (count < 0) return false;
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(count));
    if (array == nullptr) {
        PyErr_NoMemory();
        return false;
    }
    for (LONG i = 0; i < count; ++i) {
        PyObject* item = PySequence_GetItem(sequence, i);
        VARIANT element;
        VariantInit(&element);
        const bool converted = item != nullptr && ToVariant(item, &element);
        Py_XDECREF(item);
        if (converted) SafeArrayPutElement(array, &i, &element);
        VariantClear(&element);
        if (!converted) {
            SafeArrayDestroy(array);
            return false;
        }
    }
    out->vt = VT_ARRAY | VT_VARIANT;
    out->parray = array;
    return true;
}

}  // namespace

BSTR BstrOf(PyObject* text) {
    PyObject* bytes = PyUnicode_AsEncodedString(text, "utf-16-le", "surrogatepass");
    if (bytes == nullptr) return nullptr;
    const Py_ssize_t size = PyBytes_GET_SIZE(bytes) / 2;
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(size));
    if (result != nullptr)
        std::copy_n(reinterpret_cast<const OLECHAR*>(PyBytes_AS_STRING(bytes)), size, result);
    else
        PyErr_NoMemory();
    Py_DECREF(bytes);
    return result;
}

PyObject* FromVariant(const VARIANT& value) {
    if (value.vt & VT_BYREF) {
        if (value.vt == (VT_BYREF | VT_VARIANT)) return FromVariant(*value.pvarVal);
        PyErr_SetString(PyExc_TypeError, "by-reference values other than VARIANT are not converted");
        return nullptr;
    }
    if (value.vt == (VT_ARRAY | VT_VARIANT)) return FromArray(value.parray);
    switch (value.vt) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_ERROR: Py_RETURN_NONE;
        case VT_BOOL: return PyBool_FromLong(value.boolVal != VARIANT_FALSE);
        case VT_I1: return PyLong_FromLong(value.cVal);
        case VT_UI1: return PyLong_FromLong(value.bVal);
        case VT_I2: return PyLong_FromLong(value.iVal);
        case VT_UI2: return PyLong_FromLong(value.uiVal);
        case VT_I4: return PyLong_FromLong(value.lVal);
        case VT_INT: return PyLong_FromLong(value.intVal);
        case VT_UI4: return PyLong_FromUnsignedLong(value.ulVal);
        case VT_UINT: return PyLong_FromUnsignedLong(value.uintVal);
        case VT_I8: return PyLong_FromLongLong(value.llVal);
        case VT_UI8: return PyLong_FromUnsignedLongLong(value.ullVal);
        case VT_R4: return PyFloat_FromDouble(value.fltVal);
        case VT_R8:
        case VT_DATE: return PyFloat_FromDouble(value.dblVal);
        case VT_BSTR: return FromBstr(value.bstrVal);
        case VT_DISPATCH: return Wrap(value.pdispVal);
        case VT_UNKNOWN: return FromUnknown(value.punkVal);
        default:
            PyErr_Format(PyExc_TypeError, "VARIANT type %d is not converted", value.vt);
            return nullptr;
    }
}

bool ToVariant(PyObject* value, VARIANT* out) {
    VariantInit(out);
    if (value == Py_None) return true;
    if (PyBool_Check(value)) {
        out->vt = VT_BOOL;
        out->boolVal = value == Py_True ? VARIANT_TRUE : VARIANT_FALSE;
        return true;
    }
    if (PyLong_Check(value)) {
        const long long number = PyLong_AsLongLong(value);
        if (number == -1 && PyErr_Occurred()) return false;
        if (number >= INT32_MIN && number <= INT32_MAX) {
            out->vt = VT_I4;
            out->lVal = static_cast<LONG>(number);
        } else {
            out->vt = VT_I8;
            out->llVal = number;
        }
        return true;
    }
    if (PyFloat_Check(value)) {
        out->vt = VT_R8;
        out->dblVal = PyFloat_AS_DOUBLE(value);
        return true;
    }
    if (PyUnicode_Check(value)) {
        out->bstrVal = BstrOf(value);
        if (out->bstrVal == nullptr) return false;
        out->vt = VT_BSTR;
        return true;
    }
    if (PyObject_TypeCheck(value, &ObjectType)) {
        out->vt = VT_DISPATCH;
        out->pdispVal = reinterpret_cast<Object*>(value)->dispatch;
        out->pdispVal->AddRef();
        return true;
    }
    if (PyList_Check(value) || PyTuple_Check(value)) return ListToVariant(value, out);
    PyErr_Format(PyExc_TypeError, "a %s cannot be passed to an automation member",
                 Py_TYPE(value)->tp_name);
    return false;
}

}  // namespace kinfold::python
