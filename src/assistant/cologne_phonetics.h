// Cologne phonetics (Kölner Phonetik): a code of digits for a German name,
// made so that names spoken alike share it (Meyer, Maier and Mayr are 67).
#pragma once

#include <string>
#include <string_view>

namespace kinfold {

// The code of `letters`, which LatinLetters made (A to Z only; Ä, Ö, Ü and ß
// already folded to A, O, U and SS); the empty text when there is no letter.
std::string CologneCode(std::string_view letters);

}  // namespace kinfold
