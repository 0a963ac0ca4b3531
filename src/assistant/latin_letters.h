// The letters of a name as the phonetic codes read them: A to Z in upper
// case, with the Latin letters that carry marks folded to their base letter.
#pragma once

#include <string>
#include <string_view>

namespace kinfold {

// The letters of `name`, upper case, each Latin-1 and Latin Extended-A
// letter folded (É to E, Ł to L, Ø to O, ß to SS, Æ to AE, Þ to TH); every
// other character (spaces, hyphens, apostrophes, digits, other scripts) is
// left out. A well-formed UTF-8 sequence is read as such and any other byte
// as Windows-1252, so a name reads the same from a UTF-8 file, an ANSI file
// and a host's text.
std::string LatinLetters(std::string_view name);

// The same for text already decoded to UTF-16.
std::string LatinLetters(std::u16string_view name);

}  // namespace kinfold
