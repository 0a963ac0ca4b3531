// Names compared as people read them: decoded text, upper and lower case
// alike for every letter of the Latin, Greek and Cyrillic alphabets, not
// only ASCII as the assistant compares the file's bytes.
#pragma once

#include <string>

#include "kinfold.h"

namespace kinfold::cli {

// The lower-case letter of `c` (the simple case folding of Unicode) for
// Basic Latin, the Latin-1 Supplement, Latin Extended-A, Greek and Cyrillic;
// any other character as it is.
char32_t FoldCase(char32_t c);

// The characters of a BSTR, each folded; a lone surrogate stays as it is.
std::u32string FoldedText(BSTR text);

// Whether `text` matches `pattern` as a find pattern: the start of the text
// up to the pattern's first '*', or with a leading '*' its end.
bool MatchesPattern(const std::u32string& text, const std::u32string& pattern);

}  // namespace kinfold::cli
