// The _kinfold extension module: kinfold.GEDCOMdb() makes the root object
// through the library's class object, kinfold.Error carries automation
// failures, and the library's messages for the user reach Python's
// standard error.
#include <deque>

#include "binding.h"
#include "kinfold.h"
#include "platform/notifier.h"
#include "server/entry_points.h"

namespace kinfold::python {

PyObject* Error = nullptr;

namespace {

// The last messages the library showed, for kinfold.load() to explain a
// failed load; a few are enough.
std::deque<std::string>& RecentMessages() {
    static std::deque<std::string> messages;
    return messages;
}

// Messages may come from a load running on a thread of its own, so the GIL
// is taken here. PySys_FormatStderr takes no "%.*s" before Python 3.12, so the
// text goes in as a str.
void ShowToPython(std::string_view text) {
    const PyGILState_STATE gil = PyGILState_Ensure();
    std::deque<std::string>& messages = RecentMessages();
    messages.emplace_back(text);
    if (messages.size() > 8) messages.pop_front();
    PyObject* line =
        PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
    if (line != nullptr)
        PySys_FormatStderr("kinfold: %U\n", line);
    else
        PyErr_Clear();
    Py_XDECREF(line);
    PyGILState_Release(gil);
}

PyObject* CreateDatabase(PyObject*, PyObject*) {
    IClassFactory* factory = nullptr;
    HRESULT hr =
        DllGetClassObject(CLSID_GEDCOMdb, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return RaiseFailure("GEDCOMdb", hr, nullptr);
    IDispatch* db = nullptr;
    hr = factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&db));
    factory->Release();
    if (FAILED(hr)) return RaiseFailure("GEDCOMdb", hr, nullptr);
    PyObject* wrapped = Wrap(db);
    db->Release();
    return wrapped;
}

PyObject* TakeMessages(PyObject*, PyObject*) {
    PyObject* list = PyList_New(0);
    for (const std::string& text : RecentMessages()) {
        PyObject* item = list != nullptr ? PyUnicode_FromString(text.c_str()) : nullptr;
        if (item == nullptr || PyList_Append(list, item) != 0) Py_CLEAR(list);
        Py_XDECREF(item);
    }
    RecentMessages().clear();
    return list;
}

// Whether every object of the library has been released: the answer
// DllCanUnloadNow gives the system.
PyObject* CanUnloadNow(PyObject*, PyObject*) { return PyBool_FromLong(DllCanUnloadNow() == S_OK); }

PyMethodDef kFunctions[] = {
    {"GEDCOMdb", CreateDatabase, METH_NOARGS, "A new, empty GEDCOM database."},
    {"take_messages", TakeMessages, METH_NOARGS,
     "The library's recent messages for the user, oldest first; forgets them."},
    {"can_unload_now", CanUnloadNow, METH_NOARGS,
     "True when no object of the library is alive any more."},
    {nullptr, nullptr, 0, nullptr}};

PyModuleDef kModule = {PyModuleDef_HEAD_INIT, "_kinfold",
                       "Late-bound access to the Kinfold object model.", -1, kFunctions};

}  // namespace
}  // namespace kinfold::python

PyMODINIT_FUNC PyInit__kinfold() {
    using namespace kinfold::python;
    if (!ReadyTypes()) return nullptr;
    PyObject* module = PyModule_Create(&kModule);
    if (module == nullptr) return nullptr;
    Error = PyErr_NewExceptionWithDoc(
        "kinfold.Error",
        "A member of the object model failed: hresult is its code, description and source "
        "what the object said.",
        nullptr, nullptr);
    if (Error == nullptr || PyModule_AddObjectRef(module, "Error", Error) != 0 ||
        PyModule_AddObjectRef(module, "Object", reinterpret_cast<PyObject*>(&ObjectType)) != 0) {
        Py_DECREF(module);
        return nullptr;
    }
    kinfold::SetMessageSink(ShowToPython);
    return module;
}
