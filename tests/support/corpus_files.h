// The real-world GEDCOM files of tests/data/corpus (SOURCES.md there says
// where each comes from), in name order.
#pragma once

#include <filesystem>
#include <vector>

namespace kinfold::test {

std::vector<std::filesystem::path> CorpusFiles();

}  // namespace kinfold::test
