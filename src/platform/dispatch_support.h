// IDispatch for every object of the model, served from the interface
// definition: the type library on Windows, the generated tables natively.
// An object names the interface it serves and forwards its IDispatch
// members here.
#pragma once

#include "automation.h"

// oleaut32's answer when arguments are passed to a property that takes none
// and whose value has no default member to take them.
#ifndef DISP_E_NOTACOLLECTION
#define DISP_E_NOTACOLLECTION ((HRESULT)0x80020011L)
#endif

namespace kinfold {
// The type library's description on Windows; natively one made from the
// generated tables (names, kinds and parameters of the members).
HRESULT DispatchGetTypeInfo(REFIID iface, ITypeInfo** info);
// Case-insensitive. names[0] is the member; further names are its
// parameters, answered with their position (0 for the first).
HRESULT DispatchGetIDsOfNames(REFIID iface, LPOLESTR* names, UINT count, DISPID* ids);
// `self` is any interface of the object; the call goes through `iface`.
HRESULT DispatchInvoke(IDispatch* self, REFIID iface, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep, UINT* argErr);
}
