// Reads a chain of members by name, as a script writes it:
// "Individuals(1).Birth.Notes(2).Note". A step with an argument in
// parentheses passes it as a number, or as a string when it is quoted.
#pragma once

#include <string>
#include <string_view>

#include "host/late_binding.h"

namespace kinfold::test {

// Follows `path` from `root`; the last step's value goes to `result`. The
// first failing step's code is returned.
HRESULT ReadPath(IDispatch* root, std::string_view path, VARIANT* result);

// The text of a VT_BSTR value; "<vt N>" for any other type.
std::string TextOfVariant(const VARIANT& value);

// The text at `path`, or "<0x........>" with the failing code.
std::string ReadPathText(IDispatch* root, std::string_view path);

}  // namespace kinfold::test
