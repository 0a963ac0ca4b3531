// A large, well-formed GEDCOM text made on the spot, for tests that need a
// load to take a while (progress and cancel) without shipping a big file.
#pragma once

#include <string>

namespace kinfold::test {

// `families` families of two partners and two children each, every pointer
// resolving, with names, births and a marriage.
std::string GeneratedGedcom(int families);

}  // namespace kinfold::test
