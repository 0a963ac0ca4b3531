// Names for the files kinfold keeps for a moment in the temporary folder
// (a copy of standard input, an export on its way to standard output).
#pragma once

#include <string>

namespace kinfold::cli {

// A path in the temporary folder (else the current one) that names no file
// yet: kinfold-`stem`-<random>.ged.
std::string UnusedTemporaryName(const std::string& stem);

}  // namespace kinfold::cli
