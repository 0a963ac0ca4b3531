// A read of the file that fails, or comes back half full, leaves nothing
// behind in the reader: the same line read again answers in full.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <string>

#include "core/block_cache.h"
#include "core/gedcom_line.h"
#include "core/gedcom_reader.h"
#include "injection/fault_fixture.h"
#include "support/temp_file.h"

namespace kinfold::test {
namespace {

std::string ReadLineAt(GedcomReader& reader, uint32_t position) {
    GedcomLine line;
    reader.Seek(position);
    return reader.ReadLine(line) ? std::string(reader.LastLineText()) : "(end)";
}

TEST(ReaderFaultTest, AFailedReadIsReadAgain) {
    constexpr uint32_t kBlock = BlockCache::kBlockBytes;
    std::string text;
    for (int i = 0; text.size() < 4 * kBlock; ++i)
        text += "1 NOTE " + std::string(90, 'x') + std::to_string(i) + "\n";
    const TempFile file(text);
    // A line that starts a block, one that runs on past the half of a block
    // and one that runs on into the next block.
    const uint32_t positions[] = {kBlock, kBlock + 200, 2 * kBlock - 5};
    for (const Fault fault : {Fault{Fault::ReadNothing}, Fault{Fault::ReadHalf}}) {
        long points = 0;
        for (const uint32_t position : positions) {
            SCOPED_TRACE(std::string(FaultName(fault)) + " at " + std::to_string(position));
            const size_t lineEnd = text.find('\n', position);
            const std::string expected = text.substr(position, lineEnd - position);
            for (long nth = 1;; ++nth) {
                GedcomReader reader;
                ASSERT_EQ(reader.Open(file.Path()), S_OK);
                fault.Schedule(nth);
                ReadLineAt(reader, position);
                const bool happened = fault.Happened();
                fault.Cancel();
                ASSERT_EQ(ReadLineAt(reader, position), expected) << "after failing read " << nth;
                if (!happened) break;
                ++points;
            }
        }
        EXPECT_GT(points, 0);
    }
}

}  // namespace
}  // namespace kinfold::test

#endif  // _WIN32
