// The file a piece of code was loaded from: the library, or the program that
// links the static library.
#pragma once

#include <string>

#include "automation.h"

namespace kinfold {

using OleString = std::basic_string<OLECHAR>;

// The full path of the module holding `address` (any address inside it, its
// module handle included); empty when it cannot be found.
OleString ModuleFileName(const void* address);

}  // namespace kinfold
