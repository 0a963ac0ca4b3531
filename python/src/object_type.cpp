// kinfold.Object: an automation object as a Python object. Members are
// attributes: a property without parameters is read on access, a method or
// a property that takes arguments is called; setting an attribute puts a
// property. Collections answer len(), iteration and indexing (from 0, or by
// ID); calling an object calls its default member, as coll(1) does in a
// script.
#include "binding.h"
#include "platform/text.h"

namespace kinfold::python {
namespace {

// The DISPID the object's IDispatch gives a name.
bool IdOfName(Object* self, const std::string& name, DISPID* id) {
    BSTR text = AllocBstr(name);
    const HRESULT hr = self->dispatch->GetIDsOfNames(IID_NULL, &text, 1, 0, id);
    SysFreeString(text);
    return SUCCEEDED(hr);
}

PyObject* NoMember(Object* self, const char* name) {
    return PyErr_Format(PyExc_AttributeError, "%s has no member '%s'", InterfaceName(self).c_str(),
                        name);
}

PyObject* Object_getattro(PyObject* object, PyObject* nameObject) {
    const char* raw = PyUnicode_AsUTF8(nameObject);
    if (raw == nullptr) return nullptr;
    const std::string name = raw;
    if (name.compare(0, 2, "__") == 0) return PyObject_GenericGetAttr(object, nameObject);
    auto* self = reinterpret_cast<Object*>(object);
    const MemberInfo* member = FindMember(self->members, name);
    if (member == nullptr) {
        // The type information may not describe every name the object
        // knows (a member of a later interface than the one it describes):
        // ask IDispatch, and read the member without arguments.
        DISPID id = DISPID_UNKNOWN;
        if (!IdOfName(self, name, &id)) return NoMember(self, raw);
        return Invoke(self, id, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, nullptr, nullptr);
    }
    if (member->get && member->getParams == 0)
        return Invoke(self, member->id, name, DISPATCH_PROPERTYGET, nullptr, nullptr);
    if (member->method || member->get) return NewBoundMember(self, *member, nameObject);
    return PyErr_Format(PyExc_AttributeError, "%s.%s can only be set", InterfaceName(self).c_str(),
                        raw);
}

int Object_setattro(PyObject* object, PyObject* nameObject, PyObject* value) {
    const char* raw = PyUnicode_AsUTF8(nameObject);
    if (raw == nullptr) return -1;
    auto* self = reinterpret_cast<Object*>(object);
    if (value == nullptr) {
        PyErr_Format(PyExc_AttributeError, "members of %s cannot be deleted",
                     InterfaceName(self).c_str());
        return -1;
    }
    const std::string name = raw;
    const MemberInfo* member = FindMember(self->members, name);
    if (member == nullptr) {
        DISPID id = DISPID_UNKNOWN;
        if (!IdOfName(self, name, &id)) return NoMember(self, raw), -1;
        return PutProperty(self, name, id, false, value);
    }
    if (!member->put && !member->putRef) {
        PyErr_Format(PyExc_AttributeError, "%s.%s cannot be set", InterfaceName(self).c_str(), raw);
        return -1;
    }
    const bool byReference =
        member->putRef && (!member->put || PyObject_TypeCheck(value, &ObjectType));
    return PutProperty(self, name, member->id, byReference, value);
}

void Object_dealloc(PyObject* object) {
    auto* self = reinterpret_cast<Object*>(object);
    self->dispatch->Release();
    Py_TYPE(object)->tp_free(object);
}

PyObject* Object_call(PyObject* object, PyObject* args, PyObject* kwargs) {
    return Invoke(reinterpret_cast<Object*>(object), DISPID_VALUE, "the default member",
                  DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, kwargs);
}

PyObject* Object_repr(PyObject* object) {
    return DescribeObject(reinterpret_cast<Object*>(object));
}

// Count, for len() and truth; -1 with TypeError when there is none.
Py_ssize_t Object_length(PyObject* object) {
    auto* self = reinterpret_cast<Object*>(object);
    DISPID id = DISPID_UNKNOWN;
    if (!IdOfName(self, "Count", &id)) {
        PyErr_Format(PyExc_TypeError, "%s has no Count", InterfaceName(self).c_str());
        return -1;
    }
    PyObject* count = Invoke(self, id, "Count", DISPATCH_PROPERTYGET, nullptr, nullptr);
    if (count == nullptr) return -1;
    const Py_ssize_t length = PyLong_AsSsize_t(count);
    Py_DECREF(count);
    return length;
}

int Object_bool(PyObject* object) {
    DISPID id = DISPID_UNKNOWN;
    if (!IdOfName(reinterpret_cast<Object*>(object), "Count", &id)) return 1;
    const Py_ssize_t length = Object_length(object);
    return length < 0 ? -1 : length > 0;
}

// Item by position from 0 (negative from the end) or by ID. The collection's
// own Item counts from 1, as scripts do.
PyObject* Object_subscript(PyObject* object, PyObject* key) {
    auto* self = reinterpret_cast<Object*>(object);
    PyObject* args = nullptr;
    if (PyLong_Check(key)) {
        const Py_ssize_t length = Object_length(object);
        if (length < 0) return nullptr;
        Py_ssize_t index = PyLong_AsSsize_t(key);
        if (index == -1 && PyErr_Occurred()) return nullptr;
        if (index < 0) index += length;
        if (index < 0 || index >= length)
            return PyErr_Format(PyExc_IndexError, "index out of range for %zd items", length);
        args = Py_BuildValue("(n)", index + 1);
    } else if (PyUnicode_Check(key)) {
        args = PyTuple_Pack(1, key);
    } else {
        return PyErr_Format(PyExc_TypeError, "items are indexed by number or ID, not %s",
                            Py_TYPE(key)->tp_name);
    }
    if (args == nullptr) return nullptr;
    PyObject* item =
        Invoke(self, DISPID_VALUE, "Item", DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, nullptr);
    Py_DECREF(args);
    // A collection answers E_FAIL for an ID it does not hold.
    if (item == nullptr && PyUnicode_Check(key) && PyErr_ExceptionMatches(Error)) {
        PyErr_Clear();
        PyErr_SetObject(PyExc_KeyError, key);
    }
    return item;
}

PyObject* Object_iter(PyObject* object) { return Iterate(reinterpret_cast<Object*>(object)); }

// Two wrappers of one automation object compare equal: identity is the
// object's IUnknown.
IUnknown* IdentityOf(PyObject* object) {
    IUnknown* unknown = nullptr;
    reinterpret_cast<Object*>(object)->dispatch->QueryInterface(IID_IUnknown,
                                                                reinterpret_cast<void**>(&unknown));
    if (unknown != nullptr) unknown->Release();
    return unknown;
}

PyObject* Object_richcompare(PyObject* left, PyObject* right, int op) {
    if ((op != Py_EQ && op != Py_NE) || !PyObject_TypeCheck(right, &ObjectType))
        Py_RETURN_NOTIMPLEMENTED;
    const bool same = IdentityOf(left) == IdentityOf(right);
    return PyBool_FromLong(op == Py_EQ ? same : !same);
}

Py_hash_t Object_hash(PyObject* object) { return _Py_HashPointer(IdentityOf(object)); }

PyObject* Object_dir(PyObject* object, PyObject*) {
    auto* self = reinterpret_cast<Object*>(object);
    PyObject* names = PyList_New(0);
    if (names == nullptr || self->members == nullptr) return names;
    for (const std::string& name : self->members->names) {
        PyObject* text = PyUnicode_FromString(name.c_str());
        if (text == nullptr || PyList_Append(names, text) != 0) {
            Py_XDECREF(text);
            Py_DECREF(names);
            return nullptr;
        }
        Py_DECREF(text);
    }
    return names;
}

// Each object documents its own interface, so that help(obj) lists the
// members of that object rather than those of kinfold.Object.
PyObject* Object_doc(PyObject* object, void*) {
    return DocumentObject(reinterpret_cast<Object*>(object));
}

PyMethodDef kObjectMethods[] = {
    {"__dir__", Object_dir, METH_NOARGS, "The object's members, from its type information."},
    {nullptr, nullptr, 0, nullptr}};

PyGetSetDef kObjectGetSet[] = {{"__doc__", Object_doc, nullptr, nullptr, nullptr},
                               {nullptr, nullptr, nullptr, nullptr, nullptr}};

PyMappingMethods kObjectMapping = {Object_length, Object_subscript, nullptr};
PyNumberMethods kObjectNumber = {};

}  // namespace

PyTypeObject ObjectType = {PyVarObject_HEAD_INIT(nullptr, 0) "kinfold.Object"};

std::string InterfaceName(Object* self) {
    return self->members != nullptr ? self->members->interfaceName : "object";
}

bool ReadyTypes() {
    kObjectNumber.nb_bool = Object_bool;
    ObjectType.tp_basicsize = sizeof(Object);
    ObjectType.tp_flags = Py_TPFLAGS_DEFAULT;
    ObjectType.tp_doc = "An automation object of the Kinfold object model.";
    ObjectType.tp_dealloc = Object_dealloc;
    ObjectType.tp_getattro = Object_getattro;
    ObjectType.tp_setattro = Object_setattro;
    ObjectType.tp_call = Object_call;
    ObjectType.tp_repr = Object_repr;
    ObjectType.tp_as_mapping = &kObjectMapping;
    ObjectType.tp_as_number = &kObjectNumber;
    ObjectType.tp_iter = Object_iter;
    ObjectType.tp_richcompare = Object_richcompare;
    ObjectType.tp_hash = Object_hash;
    ObjectType.tp_methods = kObjectMethods;
    ObjectType.tp_getset = kObjectGetSet;
    return PyType_Ready(&ObjectType) == 0 && ReadyBoundMemberType() && ReadyEnumeratorType();
}

PyObject* Wrap(IDispatch* dispatch) {
    if (dispatch == nullptr) Py_RETURN_NONE;
    auto* object = PyObject_New(Object, &ObjectType);
    if (object == nullptr) return nullptr;
    dispatch->AddRef();
    object->dispatch = dispatch;
    object->members = MembersOf(dispatch);
    return reinterpret_cast<PyObject*>(object);
}

}  // namespace kinfold::python
