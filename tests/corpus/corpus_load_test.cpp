// Every real-world file of the corpus (tests/data/corpus, see SOURCES.md
// there) loads, or fails the way a dangling pointer makes a load fail, and
// leaves no object behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/com_test_support.h"
#include "support/corpus_files.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

namespace fs = std::filesystem;

// Files whose pointers name records that are not there.
const std::set<std::string> kDanglingPointerFiles = {
    "bad-missing-xref.ged",  // FAMS @F999@
    "maximal70.ged",         // GEDCOM 7 @VOID@ pointers
    "vendor-legacy8.ged",    // REPO @R1@ under a source record
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The distinct IDs of the level-0 INDI lines, read independently of the
// loader for files with LF line ends.
long CountIndividualIds(const std::string& bytes) {
    std::set<std::string> ids;
    std::istringstream lines(bytes);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 279 || line.rfind("0 @", 0) != 0) continue;
        const size_t end = line.find("@ ", 3);
        if (end != std::string::npos && line.compare(end + 1, std::string::npos, " INDI") == 0)
            ids.insert(line.substr(2, end - 1));
    }
    return static_cast<long>(ids.size());
}

TEST(CorpusTest, EveryFileLoadsOrFailsCleanly) {
    LiveObjectGuard guard;
    MessageCapture messages;
    const std::vector<fs::path> files = CorpusFiles();
    ASSERT_GE(files.size(), 60u);

    ComPtr<IGEDCOMdb> db = NewDatabase();
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        const bool dangling = kDanglingPointerFiles.count(name) != 0;
        const size_t messagesBefore = messages.Texts().size();
        EXPECT_EQ(Load(db.get(), file.string()), !dangling);
        EXPECT_EQ(messages.Texts().size() - messagesBefore, dangling ? 1u : 0u);

        const std::string bytes = ReadAll(file);
        const bool lineFeeds = bytes.find('\n') != std::string::npos;
        const long expected = dangling || !lineFeeds ? 0 : CountIndividualIds(bytes);
        EXPECT_EQ(CountOf(db.get(), &IGEDCOMdb::get_Individuals), expected);
    }
    db.Reset();
}

}  // namespace
}  // namespace kinfold::test
