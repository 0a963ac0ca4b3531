#include "support/corpus_files.h"

#include <algorithm>
#include <string>

namespace kinfold::test {

std::vector<std::filesystem::path> CorpusFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(KINFOLD_TEST_DATA "/corpus")) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".ged" || extension == ".GED") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace kinfold::test
