// The four-character phonetic code of a surname that extraction and sorting
// by sound use.
#pragma once

#include <string>
#include <string_view>

namespace kinfold {

// A letter A to Z and three digits, padded with 0; the empty text when the
// name, trimmed of blanks, does not start with a letter A to Z.
std::string SoundexCode(std::string_view name);

}  // namespace kinfold
