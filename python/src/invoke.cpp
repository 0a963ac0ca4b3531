// Calls through IDispatch with Python's arguments, and automation failures
// turned into kinfold.Error.
#include <cstdio>
#include <vector>

#include "binding.h"
#include "platform/text.h"

namespace kinfold::python {
namespace {

// The arguments of one call, cleared when the call is done.
class Arguments {
   public:
    ~Arguments() {
        for (VARIANT& value : values_) VariantClear(&value);
    }
    // Positional arguments go last and in reverse order, as DISPPARAMS wants
    // them; named ones first, matching `names`.
    bool Fill(PyObject* args, PyObject* kwargs, std::vector<PyObject*>* keywords) {
        const Py_ssize_t positional = args != nullptr ? PyTuple_GET_SIZE(args) : 0;
        const Py_ssize_t named = kwargs != nullptr ? PyDict_GET_SIZE(kwargs) : 0;
        values_.resize(static_cast<size_t>(positional + named));
        for (VARIANT& value : values_) VariantInit(&value);
        Py_ssize_t at = 0;
        PyObject *key, *value;
        for (Py_ssize_t i = 0; kwargs != nullptr && PyDict_Next(kwargs, &at, &key, &value); ++i) {
            keywords->push_back(key);
            if (!ToVariant(value, &values_[static_cast<size_t>(i)])) return false;
        }
        for (Py_ssize_t i = 0; i < positional; ++i)
            if (!ToVariant(PyTuple_GET_ITEM(args, i),
                           &values_[static_cast<size_t>(named + positional - 1 - i)]))
                return false;
        return true;
    }
    VARIANT* Values() { return values_.data(); }
    UINT Count() const { return static_cast<UINT>(values_.size()); }

   private:
    std::vector<VARIANT> values_;
};

// The DISPIDs of the parameters named by `keywords`, asked of the object
// together with the member's name.
bool NamedIds(IDispatch* dispatch, const std::string& member,
              const std::vector<PyObject*>& keywords, std::vector<DISPID>* ids) {
    std::vector<BSTR> names;
    names.push_back(AllocBstr(member));
    for (PyObject* keyword : keywords) names.push_back(BstrOf(keyword));
    ids->assign(names.size(), DISPID_UNKNOWN);
    const HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, names.data(),
                                               static_cast<UINT>(names.size()), 0, ids->data());
    for (BSTR name : names) SysFreeString(name);
    if (SUCCEEDED(hr)) {
        ids->erase(ids->begin());
        return true;
    }
    for (size_t i = 0; i < keywords.size(); ++i)
        if ((*ids)[i + 1] == DISPID_UNKNOWN) {
            PyErr_Format(PyExc_TypeError, "%s has no parameter named '%U'", member.c_str(),
                         keywords[i]);
            return false;
        }
    RaiseFailure(member, hr, nullptr);
    return false;
}

const char* StandardText(HRESULT hr) {
    switch (hr) {
        case E_NOTIMPL:
            return "not implemented";
        case E_FAIL:
            return "unspecified failure";
        case E_INVALIDARG:
            return "invalid argument";
        case E_POINTER:
            return "invalid pointer";
        case E_OUTOFMEMORY:
            return "out of memory";
        case E_NOINTERFACE:
            return "the object is not of the interface needed";
        case DISP_E_TYPEMISMATCH:
            return "type mismatch";
        case DISP_E_OVERFLOW:
            return "overflow";
        case DISP_E_BADPARAMCOUNT:
            return "wrong number of arguments";
        case DISP_E_PARAMNOTOPTIONAL:
            return "an argument that is not optional is missing";
        case DISP_E_PARAMNOTFOUND:
            return "no such parameter";
        case DISP_E_MEMBERNOTFOUND:
            return "member not found";
        case DISP_E_BADINDEX:
            return "bad index";
        default:
            return "automation error";
    }
}

}  // namespace

PyObject* RaiseFailure(const std::string& member, HRESULT hr, EXCEPINFO* excep) {
    std::string description, source;
    if (hr == DISP_E_EXCEPTION && excep != nullptr) {
        if (excep->pfnDeferredFillIn != nullptr) excep->pfnDeferredFillIn(excep);
        if (excep->scode != 0) hr = excep->scode;
        description = BstrToText(excep->bstrDescription);
        source = BstrToText(excep->bstrSource);
    }
    if (excep != nullptr) {
        SysFreeString(excep->bstrDescription);
        SysFreeString(excep->bstrSource);
        SysFreeString(excep->bstrHelpFile);
    }
    if (description.empty()) description = StandardText(hr);
    char code[16];
    std::snprintf(code, sizeof(code), "0x%08X", static_cast<unsigned>(hr));
    PyObject* error = PyObject_CallFunction(
        Error, "s", (member + ": " + description + " (" + code + ")").c_str());
    if (error == nullptr) return nullptr;
    PyObject* hresult =
        PyLong_FromUnsignedLong(static_cast<unsigned long>(static_cast<uint32_t>(hr)));
    PyObject* descriptionText = PyUnicode_FromString(description.c_str());
    PyObject* sourceText = PyUnicode_FromString(source.c_str());
    if (hresult != nullptr && descriptionText != nullptr && sourceText != nullptr) {
        PyObject_SetAttrString(error, "hresult", hresult);
        PyObject_SetAttrString(error, "description", descriptionText);
        PyObject_SetAttrString(error, "source", sourceText);
        PyErr_SetObject(Error, error);
    }
    Py_XDECREF(hresult);
    Py_XDECREF(descriptionText);
    Py_XDECREF(sourceText);
    Py_DECREF(error);
    return nullptr;
}

PyObject* Invoke(Object* self, DISPID id, const std::string& name, WORD flags, PyObject* args,
                 PyObject* kwargs) {
    Arguments arguments;
    std::vector<PyObject*> keywords;
    if (!arguments.Fill(args, kwargs, &keywords)) return nullptr;
    std::vector<DISPID> named;
    if (!keywords.empty() && !NamedIds(self->dispatch, name, keywords, &named)) return nullptr;
    DISPPARAMS params = {arguments.Values(), named.empty() ? nullptr : named.data(),
                         arguments.Count(), static_cast<UINT>(named.size())};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO excep = {};
    UINT argErr = 0;
    HRESULT hr = S_OK;
    if (!IsLoad(name))
        hr = self->dispatch->Invoke(id, IID_NULL, 0, flags, &params, &result, &excep, &argErr);
    else if (!InvokeLoad(self->dispatch, id, flags, &params, &result, &excep, &argErr, &hr))
        return nullptr;
    if (FAILED(hr)) {
        VariantClear(&result);
        return RaiseFailure(name, hr, &excep);
    }
    PyObject* value = FromVariant(result);
    VariantClear(&result);
    return value;
}

int PutProperty(Object* self, const std::string& name, DISPID id, bool byReference,
                PyObject* value) {
    VARIANT argument;
    if (!ToVariant(value, &argument)) return -1;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&argument, &put, 1, 1};
    EXCEPINFO excep = {};
    UINT argErr = 0;
    const HRESULT hr = self->dispatch->Invoke(
        id, IID_NULL, 0, byReference ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT, &params,
        nullptr, &excep, &argErr);
    VariantClear(&argument);
    if (FAILED(hr)) return RaiseFailure(name, hr, &excep), -1;
    return 0;
}

}  // namespace kinfold::python
