// kinfold.Member: a method, or a property that takes arguments, of an
// object, waiting to be called. A property whose arguments are all optional
// and that gives an object (person.Events) also stands for what it gives
// without arguments: len(), iteration, indexing, truth and its members read
// that value, while calling it with arguments still works.
#include "binding.h"

namespace kinfold::python {
namespace {

struct BoundMember {
    PyObject ob_base;  // what PyObject_HEAD declares
    Object* owner;     // counted
    const MemberInfo* member;
    PyObject* name;  // counted str
};

PyTypeObject BoundMemberType = {PyVarObject_HEAD_INIT(nullptr, 0) "kinfold.Member"};

BoundMember* Self(PyObject* object) { return reinterpret_cast<BoundMember*>(object); }

WORD Flags(const BoundMember* self) {
    return self->member->method ? DISPATCH_METHOD : DISPATCH_PROPERTYGET;
}

PyObject* Call(BoundMember* self, PyObject* args, PyObject* kwargs) {
    const char* name = PyUnicode_AsUTF8(self->name);
    if (name == nullptr) return nullptr;
    return Invoke(self->owner, self->member->id, name, Flags(self), args, kwargs);
}

// The member read without arguments; TypeError for a member that must be
// called, naming what was asked of it.
PyObject* Value(BoundMember* self, const char* use) {
    if (!self->member->readsWithoutArguments)
        return PyErr_Format(PyExc_TypeError, "%s.%U %s; call it first",
                            InterfaceName(self->owner).c_str(), self->name, use);
    return Call(self, nullptr, nullptr);
}

// `use` applied to the member's value, or `failed` when reading it fails.
template <typename Use>
auto OnValue(PyObject* object, const char* refusal, Use use, decltype(use(nullptr)) failed) {
    PyObject* value = Value(Self(object), refusal);
    if (value == nullptr) return failed;
    auto result = use(value);
    Py_DECREF(value);
    return result;
}

PyObject* BoundMember_call(PyObject* object, PyObject* args, PyObject* kwargs) {
    return Call(Self(object), args, kwargs);
}

Py_ssize_t BoundMember_length(PyObject* object) {
    return OnValue(object, "has no len()", PyObject_Size, Py_ssize_t{-1});
}

PyObject* BoundMember_subscript(PyObject* object, PyObject* key) {
    return OnValue(
        object, "cannot be indexed",
        [key](PyObject* value) { return PyObject_GetItem(value, key); }, nullptr);
}

PyObject* BoundMember_iter(PyObject* object) {
    return OnValue(object, "is not iterable", PyObject_GetIter, nullptr);
}

int BoundMember_bool(PyObject* object) {
    if (!Self(object)->member->readsWithoutArguments) return 1;
    return OnValue(object, "", PyObject_IsTrue, -1);
}

PyObject* BoundMember_getattro(PyObject* object, PyObject* name) {
    PyObject* found = PyObject_GenericGetAttr(object, name);
    if (found != nullptr || !Self(object)->member->readsWithoutArguments ||
        !PyErr_ExceptionMatches(PyExc_AttributeError))
        return found;
    PyErr_Clear();
    return OnValue(
        object, "", [name](PyObject* value) { return PyObject_GetAttr(value, name); }, nullptr);
}

void BoundMember_dealloc(PyObject* object) {
    Py_DECREF(Self(object)->owner);
    Py_DECREF(Self(object)->name);
    PyObject_Free(object);
}

// A member that reads as its value shows that value; one whose reading fails
// shows itself, since repr() should not raise.
PyObject* BoundMember_repr(PyObject* object) {
    BoundMember* self = Self(object);
    if (self->member->readsWithoutArguments) {
        PyObject* text = OnValue(object, "", PyObject_Repr, nullptr);
        if (text != nullptr) return text;
        PyErr_Clear();
    }
    return PyUnicode_FromFormat("<kinfold member %s.%U>", InterfaceName(self->owner).c_str(),
                                self->name);
}

PyObject* BoundMember_doc(PyObject* object, void*) {
    return PyUnicode_FromString(DocumentMember(*Self(object)->member).c_str());
}

PyGetSetDef kGetSet[] = {{"__doc__", BoundMember_doc, nullptr, nullptr, nullptr},
                         {nullptr, nullptr, nullptr, nullptr, nullptr}};
PyMappingMethods kMapping = {BoundMember_length, BoundMember_subscript, nullptr};
PyNumberMethods kNumber = {};

}  // namespace

bool ReadyBoundMemberType() {
    kNumber.nb_bool = BoundMember_bool;
    BoundMemberType.tp_basicsize = sizeof(BoundMember);
    BoundMemberType.tp_flags = Py_TPFLAGS_DEFAULT;
    BoundMemberType.tp_doc = "A method, or a property that takes arguments, of an object.";
    BoundMemberType.tp_dealloc = BoundMember_dealloc;
    BoundMemberType.tp_call = BoundMember_call;
    BoundMemberType.tp_repr = BoundMember_repr;
    BoundMemberType.tp_getattro = BoundMember_getattro;
    BoundMemberType.tp_as_mapping = &kMapping;
    BoundMemberType.tp_as_number = &kNumber;
    BoundMemberType.tp_iter = BoundMember_iter;
    BoundMemberType.tp_getset = kGetSet;
    return PyType_Ready(&BoundMemberType) == 0;
}

PyObject* NewBoundMember(Object* owner, const MemberInfo& member, PyObject* name) {
    auto* bound = PyObject_New(BoundMember, &BoundMemberType);
    if (bound == nullptr) return nullptr;
    Py_INCREF(owner);
    Py_INCREF(name);
    bound->owner = owner;
    bound->member = &member;
    bound->name = name;
    return reinterpret_cast<PyObject*>(bound);
}

}  // namespace kinfold::python
