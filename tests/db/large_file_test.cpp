// Lines and records keep their byte positions as signed 32-bit numbers, so a
// file of 2 GB or more would be read back at wrapped positions. Such a file
// is refused before anything is read: the load fails with a message saying
// why, and the database stays empty. The files here are sparse: they take
// almost no room on the disk. A native host may also cancel a running load
// from another thread: the load answers False and the database is left as
// empty as a new one.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>

#include "core/gedcom_reader.h"
#include "support/com_test_support.h"
#include "support/generated_gedcom.h"
#include "support/live_object_guard.h"
#ifndef _WIN32
#include "platform/posix/load_cancel.h"
#endif

namespace kinfold::test {
namespace {

// A GEDCOM start followed by zero bytes up to `size`.
class SparseFile {
   public:
    explicit SparseFile(uint64_t size) : file_("0 HEAD\n0 @I1@ INDI\n") {
        std::filesystem::resize_file(file_.Path(), size);
    }
    const std::string& Path() const { return file_.Path(); }

   private:
    TempFile file_;
};

constexpr uint64_t kLargestReadable = INT32_MAX;

TEST(LargeFileTest, ReaderTakesTheLargestFileThePositionsReachAndTheDatabaseNoLarger) {
    struct Case {
        uint64_t size;
        HRESULT opened;
        uint32_t length;
    };
    const Case cases[] = {
        {kLargestReadable, S_OK, static_cast<uint32_t>(kLargestReadable)},
        {kLargestReadable + 1, kFileTooLarge, 0},
        {uint64_t{1} << 32, kFileTooLarge, 0},  // would have wrapped to a length of 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const SparseFile file(c.size);
        GedcomReader reader;
        EXPECT_EQ(reader.Open(file.Path()), c.opened);
        EXPECT_EQ(reader.GetLength(), c.length);
        EXPECT_EQ(reader.GetFileName(), c.opened == S_OK ? file.Path() : "");
    }

    // The database refuses such a file with a message and stays empty.
    LiveObjectGuard guard;
    MessageCapture messages;
    const SparseFile file(kLargestReadable + 1);
    ComPtr<IGEDCOMdb> db = NewDatabase();
    EXPECT_FALSE(Load(db.get(), file.Path()));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0],
              "ERROR: GEDCOM file is too large. Files of 2 GB or more cannot be read.");
    EXPECT_EQ(CountOf(db.get(), &IGEDCOMdb::get_Individuals), 0);
    Bstr name;
    ASSERT_EQ(db->get_FileName(name.Out()), S_OK);
    EXPECT_EQ(name.Text(), "");
}

#ifndef _WIN32
TEST(LoadCancelTest, CancelFromAnotherThreadEmptiesTheDatabase) {
    LiveObjectGuard guard;
    MessageCapture messages;
    TempFile file(GeneratedGedcom(20000));
    ComPtr<IGEDCOMdb> db = NewDatabase();

    // The request is repeated until the load returns: one made before the
    // load starts is forgotten, so the first few may be lost.
    std::atomic<bool> done{false};
    std::thread canceller([&done] {
        while (!done.load()) {
            CancelLoad();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    const bool loaded = Load(db.get(), file.Path());
    done.store(true);
    canceller.join();

    EXPECT_FALSE(loaded);
    // Cancelled while reading or while linking, the file is not called corrupt.
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(CountOf(db.get(), &IGEDCOMdb::get_Individuals), 0);
    EXPECT_EQ(CountOf(db.get(), &IGEDCOMdb::get_Families), 0);
    // The same database loads the file in full once nobody cancels.
    EXPECT_TRUE(Load(db.get(), file.Path()));
    EXPECT_EQ(CountOf(db.get(), &IGEDCOMdb::get_Individuals), 80000);
}
#endif

}  // namespace
}  // namespace kinfold::test
