// The Python binding: automation objects seen from Python, late-bound over
// IDispatch. Names, kinds and parameters come from each object's type
// information at run time, so nothing here restates the interfaces.
#pragma once

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <map>
#include <string>
#include <vector>

#include "platform/automation.h"

namespace kinfold::python {

// What an interface's type information says of one member name.
struct MemberInfo {
    DISPID id = DISPID_UNKNOWN;
    bool method = false;
    bool get = false;
    bool put = false;
    bool putRef = false;
    // Parameters of the property get; a get that takes any is called.
    SHORT getParams = 0;
    // A get whose parameters are all optional and that gives an object: it
    // also reads as that object without being called (person.Events).
    bool readsWithoutArguments = false;
    // How it is called, "Events([Tag]) -> object", from the method or get.
    std::string signature;
    std::string help;  // the type information's help string; may be empty
};

struct MemberTable {
    std::string interfaceName;
    std::string help;
    std::map<std::string, MemberInfo> byLowerName;  // names match without regard to case
    std::vector<std::string> names;                 // as declared, sorted
};

// The members of the interface `dispatch` describes, cached per interface;
// nullptr when it has no type information.
const MemberTable* MembersOf(IDispatch* dispatch);

// The member of `table` called `name` in any case; nullptr when there is no
// such member or no table.
const MemberInfo* FindMember(const MemberTable* table, const std::string& name);

std::string LowerName(std::string text);

// An automation object held by Python; releases its reference when Python
// drops it.
struct Object {
    PyObject ob_base;  // what PyObject_HEAD declares
    IDispatch* dispatch;
    const MemberTable* members;
};

extern PyTypeObject ObjectType;
extern PyObject* Error;

// Readies the binding's Python types; false with an exception set on failure.
bool ReadyTypes();
bool ReadyBoundMemberType();
bool ReadyEnumeratorType();

// A new Python object holding its own reference to `dispatch`; None for NULL.
PyObject* Wrap(IDispatch* dispatch);

// "IGDIndividualRecord" or "object" for an object without type information.
std::string InterfaceName(Object* self);

// A method, or a property that takes arguments, of `owner`, to be called;
// `name` is the str it was asked for by.
PyObject* NewBoundMember(Object* owner, const MemberInfo& member, PyObject* name);

// An iterator over the items the object's _NewEnum gives.
PyObject* Iterate(Object* self);

// What repr() shows of an object: its kind, ID and name, or its count.
PyObject* DescribeObject(Object* self);

// What help() shows: the interface and each member with its signature and
// help string.
PyObject* DocumentObject(Object* self);
std::string DocumentMember(const MemberInfo& member);

// A member called with Python's arguments: positional ones in order,
// keyword ones by parameter name. `flags` are the DISPATCH_ kinds.
PyObject* Invoke(Object* self, DISPID id, const std::string& name, WORD flags, PyObject* args,
                 PyObject* kwargs);

// Whether a member of this name loads a file, the call that InvokeLoad makes.
bool IsLoad(const std::string& name);

// Calls the load member as IDispatch::Invoke does, storing its HRESULT in
// `hr`, with the GIL released while the file loads. False when a signal
// handler raised while it ran: the load is then cancelled, the database
// empty, the outputs cleared and the handler's exception set.
bool InvokeLoad(IDispatch* db, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                EXCEPINFO* excep, UINT* argErr, HRESULT* hr);

// Stores a property (put, or putref for an object where the member has one).
int PutProperty(Object* self, const std::string& name, DISPID id, bool byReference,
                PyObject* value);

// Sets kinfold.Error for a failed call of `member` and returns nullptr.
PyObject* RaiseFailure(const std::string& member, HRESULT hr, EXCEPINFO* excep);

// Conversions at the boundary; on failure a Python exception is set and
// nullptr or false returned.
PyObject* FromVariant(const VARIANT& value);
bool ToVariant(PyObject* value, VARIANT* out);

// A BSTR of a Python str, owned by the caller.
BSTR BstrOf(PyObject* text);

}  // namespace kinfold::python
