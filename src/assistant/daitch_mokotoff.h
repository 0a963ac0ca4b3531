// Daitch-Mokotoff Soundex: six-digit codes for names, tuned to the Slavic,
// Yiddish and German names of Jewish genealogy. A letter group that may be
// spoken two ways (C as K or TZ, CH as KH or TCH, CK, J, RS and RZ) gives
// the name a code for each reading.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kinfold {

// The codes of `letters`, which LatinLetters made (A to Z only), each of six
// digits, none twice: the reading that takes the first way of every group
// first, the later ways of the last group varying fastest. A hyphenated or
// multi-word name is coded as one string, as the letters come; none when
// there is no letter.
std::vector<std::string> DaitchMokotoffCodes(std::string_view letters);

}  // namespace kinfold
