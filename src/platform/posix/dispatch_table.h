// The shape of the generated dispatch tables: for every dual interface of
// kinfold.idl, its members as a host sees them through IDispatch, each with a
// thunk that calls the vtable member. The tables themselves are generated
// into kinfold_dispatch.cpp; DispatchInvoke and DispatchGetIDsOfNames walk them.
#pragma once

#include "platform/automation.h"

namespace kinfold {

enum class DispatchKind : WORD {
    Method = DISPATCH_METHOD,
    PropertyGet = DISPATCH_PROPERTYGET,
    PropertyPut = DISPATCH_PROPERTYPUT,
    PropertyPutRef = DISPATCH_PROPERTYPUTREF,
};

// An [in] parameter.
struct DispatchParam {
    const char* name;
    // The VARTYPE the argument is converted to before the call: VT_BSTR,
    // VT_I4 (also int and enumerations), VT_I2, VT_BOOL, VT_R8, VT_VARIANT,
    // or VT_DISPATCH / VT_UNKNOWN for interface pointers.
    VARTYPE type;
    // Interface parameters: the interface the argument is queried for.
    const IID* iid;
    bool optional;
    // A defaultvalue(...) literal, kept in its own type (VT_I4, VT_R8 or
    // VT_BSTR) and converted to the parameter's type when it is used.
    bool hasDefault;
    VARTYPE defaultType;
    double defaultNumber;
    const char16_t* defaultText;
};

// Calls the member. `self` is what QueryInterface returned for the interface
// the table belongs to. `args` holds the arguments in declaration
// order, each already converted to its parameter's type; an interface
// argument arrives as VT_UNKNOWN whose pointer, read as `byref`, is what
// QueryInterface returned for the parameter's IID (or NULL). The [out, retval] value is stored into
// *result (initialised empty by the caller) whether or not the call succeeds, so the caller can
// free whatever a failing member left behind.
using DispatchThunk = HRESULT (*)(void* self, VARIANT* args, VARIANT* result);

struct DispatchMember {
    const char* name;
    DISPID id;
    DispatchKind kind;
    const DispatchParam* params;
    UINT paramCount;
    // VT_EMPTY when the member has no [out, retval].
    VARTYPE resultType;
    const char* resultName;
    DispatchThunk thunk;
    // The helpstring of the interface definition; "" where it gives none.
    const char* help;
};

struct DispatchInterface {
    const char* name;
    const IID* iid;
    const DispatchMember* members;
    UINT memberCount;
    const char* help;

    const DispatchMember* begin() const { return members; }
    const DispatchMember* end() const { return members + memberCount; }
};

struct DispatchInterfaceList {
    const DispatchInterface* first;
    const DispatchInterface* last;

    const DispatchInterface* begin() const { return first; }
    const DispatchInterface* end() const { return last; }
};

// Every dual interface of kinfold.idl, in declaration order.
DispatchInterfaceList AllDispatchInterfaces();

// NULL when the IID is not one of them.
const DispatchInterface* FindDispatchInterface(REFIID iid);

}  // namespace kinfold
