// Reads a chain of members by name, as a script writes it:
// "Individuals(1).Birth.Notes(2).Note". A step with an argument in
// parentheses passes it as a number, or as a string when it is quoted.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "host/late_binding.h"

namespace kinfold::test {

// Follows `path` from `root`; the last step's value goes to `result`. The
// first failing step's code is returned.
HRESULT ReadPath(IDispatch* root, std::string_view path, VARIANT* result);

// A value as a test compares it: a string as it is, a number in decimal,
// True/False, <empty>, <nothing> or <object>.
std::string TextOfVariant(const VARIANT& value);

// The text at `path`, or "<0x........>" with the failing code.
std::string ReadPathText(IDispatch* root, std::string_view path);

struct PathText {
    const char* path;
    const char* expected;
};

// Expects each path to read as its text; a failure names the path.
void ExpectPathTexts(IDispatch* root, std::initializer_list<PathText> cases);

}  // namespace kinfold::test
