// Inputs that once crashed the load-and-walk fuzz target (tests/data/fuzz),
// loaded and walked here too, so that the plain and sanitizer suites guard
// them without a fuzzer. The first byte of each input chose the target's
// options; here the rest is read with the database's defaults. The fuzz
// stage of scripts/test.sh replays them with their options.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/com_test_support.h"
#include "support/live_object_guard.h"
#include "support/database_walk.h"
#include "support/member_walker.h"

namespace kinfold::test {
namespace {

namespace fs = std::filesystem;

TEST(FuzzRegressionTest, EveryInputThatOnceCrashedLoadsAndWalks) {
    LiveObjectGuard guard;
    MessageCapture messages;
    int inputs = 0;
    for (const auto& entry : fs::directory_iterator(KINFOLD_TEST_DATA "/fuzz/load_walk_fuzz")) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(input.empty());
        const TempFile file(std::string_view(input).substr(1));
        ComPtr<IGEDCOMdb> db = NewDatabase();
        Load(db.get(), file.Path());
        MemberWalker walker({7, 25});
        WalkDatabase(db.get(), walker);
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

}  // namespace
}  // namespace kinfold::test

#endif  // _WIN32
