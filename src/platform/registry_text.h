// Text values under HKEY_CLASSES_ROOT, the only kind registration writes.
#pragma once

#include "platform/module_file.h"

namespace kinfold {

// Creates `key` (and the keys above it) and, unless `value` is null, sets its
// value `name` (nullptr: the default value). Returns a Win32 status.
LSTATUS WriteRegistryText(const OleString& key, const OLECHAR* name, const OLECHAR* value);

// The text value `name` (nullptr: the default value) of `key`; false when the
// key or the value is missing or is not text.
bool ReadRegistryText(const OleString& key, const OLECHAR* name, OleString* value);

// A GUID in the registry's text form, {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
OleString GuidText(REFGUID guid);

// Removes `key` with everything below it; a missing key is already removed.
LSTATUS DeleteRegistryTree(const OleString& key);

}  // namespace kinfold
