#include "core/gedcom_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/block_cache.h"
#include "core/gedcom_line.h"
#include "support/temp_file.h"

namespace kinfold {
namespace {

using test::TempFile;

struct ReadResult {
    int32_t position;
    int16_t level;
    std::string tag;
    std::string value;
};

ReadResult Snapshot(const GedcomLine& line) {
    return {line.Position(), line.Level(), std::string(line.Tag()), std::string(line.Value())};
}

// Reads to the end of the file, with a bound so a reader that stops
// advancing fails the test instead of hanging it.
std::vector<ReadResult> ReadAll(GedcomReader& reader, size_t bound = 1000000) {
    std::vector<ReadResult> lines;
    GedcomLine line;
    while (lines.size() < bound && reader.ReadLine(line)) lines.push_back(Snapshot(line));
    return lines;
}

// A file of many records, lines of every length from 1 byte to past the
// 279-byte limit, LF and CRLF ends, and more bytes than one read window.
std::string ManyLines(int records) {
    std::string text;
    for (int i = 0; i < records; ++i) {
        const std::string n = std::to_string(i);
        text += "0 @I" + n + "@ INDI\n";
        text += "1 NAME John /Doe" + n + "/\r\n";
        const char letter = static_cast<char>('a' + i % 26);
        text += "1 NOTE " + std::string(static_cast<size_t>(i % 400), letter) + "\n";
        text += "2 CONT\n";
        text += "\n";
    }
    return text;
}

// What a read at `position` must give as the line's text: the bytes up to
// the line feed or a NUL, at most `maxLine` of them; "(end)" past the end.
std::string LineAt(const std::string& text, size_t position, size_t maxLine = kMaxLineBytes) {
    if (position >= text.size()) return "(end)";
    const size_t end = std::min(text.find_first_of(std::string("\n\0", 2), position), text.size());
    return text.substr(position, std::min(end - position, maxLine));
}

// The text the reader gives for the line at `position`, as LineAt says it.
std::string ReadLineAt(GedcomReader& reader, size_t position) {
    GedcomLine line;
    EXPECT_EQ(reader.Seek(static_cast<uint32_t>(position)), S_OK);
    return reader.ReadLine(line) ? std::string(reader.LastLineText()) : "(end)";
}

TEST(GedcomReaderOpen, FailuresLeaveNothingOpen) {
    const TempFile existing("0 HEAD\n");
    const std::string folder = std::filesystem::temp_directory_path().string();
    struct Row {
        const char* what;
        std::string path;
    } rows[] = {
        {"nonexistent", test::UnusedTempPath()},
        {"empty path", ""},
        {"directory", folder},
        {"embedded NUL", existing.Path() + std::string(1, '\0') + "x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        GedcomReader reader;
        ASSERT_EQ(reader.Open(existing.Path()), S_OK);
        EXPECT_EQ(reader.Open(row.path), E_FAIL);
        EXPECT_EQ(reader.GetFileName(), "");
        EXPECT_EQ(reader.GetLength(), 0u);
        EXPECT_EQ(reader.Position(), 0u);
        EXPECT_EQ(reader.Seek(0), E_FAIL);
        GedcomLine line;
        EXPECT_FALSE(reader.ReadLine(line));
        EXPECT_EQ(reader.ReadTextValue(0, true), kUnexpectedEndOfFile);
    }
}

TEST(GedcomReaderOpen, TakesNameAndLengthAndRestartsAtZero) {
    const TempFile first("0 HEAD\n1 CHAR ANSEL\n");
    const TempFile second("0 TRLR");
    GedcomReader reader;
    ASSERT_EQ(reader.Open(first.Path()), S_OK);
    EXPECT_EQ(reader.GetFileName(), first.Path());
    EXPECT_EQ(reader.GetLength(), 20u);
    GedcomLine line;
    ASSERT_TRUE(reader.ReadLine(line));
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(reader.Position(), 20u);

    ASSERT_EQ(reader.Open(second.Path()), S_OK);
    EXPECT_EQ(reader.GetFileName(), second.Path());
    EXPECT_EQ(reader.GetLength(), 6u);
    EXPECT_EQ(reader.Position(), 0u);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.Tag(), "TRLR");
    EXPECT_EQ(line.Position(), 0);
    EXPECT_FALSE(reader.ReadLine(line));
}

TEST(GedcomReaderOpen, EmptyFileHasNoLines) {
    const TempFile empty("");
    GedcomReader reader;
    ASSERT_EQ(reader.Open(empty.Path()), S_OK);
    EXPECT_EQ(reader.GetLength(), 0u);
    GedcomLine line;
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_EQ(line.Position(), -1);
    EXPECT_EQ(reader.ReadTextValue(0, false), kUnexpectedEndOfFile);
}

TEST(GedcomReaderLines, PositionsAreByteOffsetsThatSeekBackToTheSameLine) {
    const std::string text = ManyLines(5000);
    ASSERT_GT(text.size(), 4u * 256u * 1024u);
    const TempFile file(text);
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    const std::vector<ReadResult> lines = ReadAll(reader);
    EXPECT_EQ(reader.Position(), text.size());

    // Every physical line (or 279-byte piece of one) starts where the last
    // one ended; a blank line repeats the previous contents, position included.
    size_t offset = 0;
    for (const ReadResult& line : lines) {
        const size_t lineFeed = text.find('\n', offset);
        const size_t end = lineFeed - offset < 279 ? lineFeed + 1 : offset + 279;
        if (text.compare(offset, end - offset, "\n") != 0) {
            ASSERT_EQ(line.position, static_cast<int32_t>(offset));
        }
        offset = end;
    }
    EXPECT_EQ(offset, text.size());

    // Random re-reads, far apart and backwards, across read windows.
    GedcomLine line;
    for (size_t i = lines.size(); i-- > 0;) {
        const size_t pick = (i * 7919) % lines.size();
        const ReadResult& expected = lines[pick];
        ASSERT_EQ(reader.Seek(static_cast<uint32_t>(expected.position)), S_OK);
        ASSERT_TRUE(reader.ReadLine(line));
        ASSERT_EQ(line.Position(), expected.position);
        ASSERT_EQ(line.Tag(), expected.tag);
        ASSERT_EQ(line.Value(), expected.value);
    }
}

TEST(GedcomReaderLines, LongLinesSplitAt279Bytes) {
    const std::string head = "1 NOTE ";
    const std::string longValue = head + std::string(272, 'x') + "2 CONT tail";
    const std::string exact = "1 NOTE " + std::string(272, 'y');  // 279 bytes, then LF
    const std::string text = "0 HEAD\n" + longValue + "\n" + exact + "\n0 TRLR\n";
    const TempFile file(text);
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    const std::vector<ReadResult> lines = ReadAll(reader);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1].position, 7);
    EXPECT_EQ(lines[1].value, std::string(272, 'x'));
    EXPECT_EQ(lines[2].position, 7 + 279);
    EXPECT_EQ(lines[2].level, 2);
    EXPECT_EQ(lines[2].tag, "CONT");
    EXPECT_EQ(lines[2].value, "tail");
    const int32_t exactAt = static_cast<int32_t>(text.find("1 NOTE y"));
    EXPECT_EQ(lines[3].position, exactAt);
    EXPECT_EQ(lines[3].value, std::string(272, 'y'));
    // The LF left over from the 279-byte line reads as a blank line.
    EXPECT_EQ(lines[4].position, exactAt);
    EXPECT_EQ(lines[5].tag, "TRLR");
    EXPECT_EQ(lines[5].position, exactAt + 280);

    GedcomLine line;
    ASSERT_EQ(reader.Seek(7 + 279), S_OK);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.Tag(), "CONT");
}

TEST(GedcomReaderLines, BlankAndTwoBlankLinesRepeatThePreviousLine) {
    const TempFile file("0 @I1@ INDI\n   \r\n1  SEX M\n1 SEX F\n");
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    GedcomLine line;
    ASSERT_TRUE(reader.ReadLine(line));
    ASSERT_TRUE(reader.ReadLine(line));  // blank: nothing changes
    EXPECT_EQ(line.Position(), 0);
    EXPECT_EQ(line.Id(), "@I1@");
    EXPECT_EQ(line.Tag(), "INDI");
    EXPECT_EQ(reader.Position(), 17u);
    ASSERT_TRUE(reader.ReadLine(line));  // two blanks: only level and position
    EXPECT_EQ(line.Level(), 1);
    EXPECT_EQ(line.Position(), 17);
    EXPECT_EQ(line.Id(), "@I1@");
    EXPECT_EQ(line.Tag(), "INDI");
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.Tag(), "SEX");
    EXPECT_EQ(line.Value(), "F");
    EXPECT_TRUE(line.Id().empty());
    EXPECT_FALSE(reader.ReadLine(line));
}

TEST(GedcomReaderLines, NulEndsTheTextButNotTheLine) {
    const std::string text = std::string("0 HEAD\n1 NOTE ab\0cd\n", 20) + std::string("\0\n", 2) +
                             std::string("1 SEX M\0\n", 9) + "1 SOUR x\n";
    const TempFile file(text);
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    const std::vector<ReadResult> lines = ReadAll(reader);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1].value, "ab");
    EXPECT_EQ(lines[2].position, 7);  // "\0" alone is blank: the NOTE line again
    EXPECT_EQ(lines[3].position, 22);
    EXPECT_EQ(lines[3].value, "M");
    EXPECT_EQ(lines[4].position, 31);
    EXPECT_EQ(lines[4].tag, "SOUR");
}

TEST(GedcomReaderLines, CarriageReturnAloneDoesNotEndALine) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "1 NOTE line " + std::to_string(i) + "\r";
    const TempFile file(text);
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    const std::vector<ReadResult> lines = ReadAll(reader);
    ASSERT_EQ(lines.size(), (text.size() + 278) / 279);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].position, static_cast<int32_t>(i * 279));
    }
    // The CRs stay inside the text; only the blank separates fields.
    ASSERT_NE(text[278], '\r');
    EXPECT_EQ(lines[0].level, 1);
    EXPECT_EQ(lines[0].tag, "NOTE");
    EXPECT_EQ(lines[0].value, text.substr(7, 279 - 7));
}

TEST(GedcomReaderLines, Utf16FileReadsAsBytes) {
    std::string text = "\xFF\xFE";
    for (const char c : std::string("0 HEAD\r\n1 CHAR UNICODE\r\n0 TRLR\r\n")) {
        text += c;
        text += '\0';
    }
    const TempFile file(text);
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    const std::vector<ReadResult> lines = ReadAll(reader);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].tag,
              "\xFF\xFE"
              "0");
    EXPECT_EQ(reader.Position(), text.size());
}

TEST(GedcomReaderLines, LastLineWithoutLineFeed) {
    const TempFile file("0 HEAD\n1 SOUR AB");
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    const std::vector<ReadResult> lines = ReadAll(reader);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].position, 7);
    EXPECT_EQ(lines[1].value, "AB");
    EXPECT_EQ(reader.Position(), 16u);
}

TEST(GedcomReaderSeek, PastTheEndReadsNothing) {
    const TempFile file("0 HEAD\n0 TRLR\n");
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    GedcomLine line;
    for (const uint32_t position : {14u, 15u, 100000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(position);
        EXPECT_EQ(reader.Seek(position), S_OK);
        EXPECT_EQ(reader.Position(), position);
        EXPECT_FALSE(reader.ReadLine(line));
    }
    EXPECT_EQ(reader.ReadTextValue(-1, true), kUnexpectedEndOfFile);
    ASSERT_EQ(reader.Seek(7), S_OK);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.Tag(), "TRLR");
    // Into the middle of a line: reading starts there.
    ASSERT_EQ(reader.Seek(2), S_OK);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.Tag(), "HEAD");
    EXPECT_EQ(line.Level(), 0);
    EXPECT_EQ(line.Position(), 2);
}

// Reads at the positions, in order, give the file's bytes there, whatever
// the reader read before them and wherever they fall among the blocks it
// keeps.
TEST(GedcomReaderSeek, ReadsAnywhereGiveTheBytesThere) {
    constexpr size_t kBlock = BlockCache::kBlockBytes;
    // Blocks this far apart compete for the same places.
    constexpr size_t kRival = BlockCache::kSets * kBlock;
    const std::string many = ManyLines(5000);
    std::string longLines = "0 HEAD\n";
    for (const size_t length : {kBlock - 9, kBlock + 1, 3 * kBlock + 5, 40 * kBlock}) {
        longLines += "1 NOTE " + std::string(length, 'n') + "\n";
        longLines += "2 CONT " + std::to_string(length) + "\n";
    }
    std::vector<size_t> acrossBlockEnds;
    for (size_t end = kBlock; end <= 8 * kBlock; end += kBlock)
        for (const size_t before : {1u, 2u, 10u, 100u, 278u, 279u, 280u})
            acrossBlockEnds.push_back(end - before);
    std::vector<size_t> longLineStarts;
    for (size_t at = longLines.size() - 1; at-- > 0;)
        if (longLines[at] == '\n') longLineStarts.push_back(at + 1);
    longLineStarts.push_back(kBlock + 3);  // inside the first long line
    std::vector<size_t> rivals;
    for (int round = 0; round < 2; ++round)
        for (size_t i = 0; i < 2 * BlockCache::kWays + 1; ++i) rivals.push_back(i * kRival + 17);
    std::vector<size_t> backwards;
    for (size_t at = many.size(); at > 7919; at -= 7919) backwards.push_back(at);

    struct Row {
        const char* what;
        const std::string& text;
        bool readLongLines;
        std::vector<size_t> positions;
    } rows[] = {
        {"across block ends", many, false, acrossBlockEnds},
        {"lines longer than a block, read whole", longLines, true, longLineStarts},
        {"lines longer than a block, split", longLines, false, longLineStarts},
        {"blocks that push each other out", many, false, rivals},
        {"backwards over the whole file", many, false, backwards},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_GT(row.text.size(), row.positions.back());
        const TempFile file(row.text);
        GedcomReader reader;
        ASSERT_EQ(reader.Open(file.Path()), S_OK);
        reader.SetTolerance(row.readLongLines, false);
        const size_t maxLine = row.readLongLines ? kLongLineBytes : kMaxLineBytes;
        for (const size_t position : row.positions) {
            SCOPED_TRACE(position);
            ASSERT_EQ(ReadLineAt(reader, position), LineAt(row.text, position, maxLine));
        }
    }
}

TEST(GedcomReaderChangedFile, ShrunkBeforeReadingEndsAtTheNewEnd) {
    const TempFile file("0 HEAD\n1 SOUR PAF\n0 TRLR\n");
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    std::filesystem::resize_file(file.Path(), 13);  // in the middle of the SOUR line
    const std::vector<ReadResult> lines = ReadAll(reader);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].tag, "SOUR");
    EXPECT_EQ(lines[1].value, "");
    EXPECT_EQ(reader.GetLength(), 25u);  // taken at open
    EXPECT_EQ(reader.ReadTextValue(13, true), kUnexpectedEndOfFile);
}

TEST(GedcomReaderChangedFile, ShrunkAfterReadingGivesWhatTheBytesNowSay) {
    const std::string text = ManyLines(3000);
    const TempFile file(text);
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    const std::vector<ReadResult> before = ReadAll(reader);

    // Cut inside a short line far before the end, so away from the bytes the
    // reader last held in memory.
    const size_t lineStart = text.find("1 NAME", text.size() / 4);
    const size_t cut = lineStart + 8;
    std::filesystem::resize_file(file.Path(), cut);
    ASSERT_EQ(reader.Seek(static_cast<uint32_t>(lineStart)), S_OK);
    GedcomLine line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.Position(), static_cast<int32_t>(lineStart));
    EXPECT_EQ(reader.Position(), cut);
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_EQ(reader.ReadTextValue(static_cast<int32_t>(before.back().position), true),
              kUnexpectedEndOfFile);

    // Reading from the start again ends at the new end, however the cut fell.
    ASSERT_EQ(reader.Seek(0), S_OK);
    const std::vector<ReadResult> after = ReadAll(reader);
    EXPECT_LT(after.size(), before.size());
    EXPECT_EQ(reader.Position(), cut);
}

// Lines read at random before the file shrank are read again afterwards:
// one the file now ends before is not found, one it cuts is what remains.
TEST(GedcomReaderChangedFile, LinesReadBeforeTheFileShrankAreReadAgain) {
    const std::string text = ManyLines(3000);
    const TempFile file(text);
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    const size_t late = text.find("0 @", text.size() / 2);
    const size_t early = text.find("1 NAME", 100);
    GedcomLine line;
    for (const size_t position : {late, early}) {
        ASSERT_EQ(reader.Seek(static_cast<uint32_t>(position)), S_OK);
        ASSERT_TRUE(reader.ReadLine(line));
    }
    std::filesystem::resize_file(file.Path(), early + 3);
    // Away from both lines, then back to each of them.
    ASSERT_EQ(reader.Seek(static_cast<uint32_t>(text.size() / 4)), S_OK);
    EXPECT_FALSE(reader.ReadLine(line));
    ASSERT_EQ(reader.Seek(static_cast<uint32_t>(late)), S_OK);
    EXPECT_FALSE(reader.ReadLine(line));
    ASSERT_EQ(reader.Seek(static_cast<uint32_t>(early)), S_OK);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.Tag(), "N");  // "1 N" now, where the file said "1 NAME ..."
}

// The file changes after lines were read, and so are kept. Read again at
// once, each line gives its bytes from before or after the change; once the
// reader has gone over the whole file twice, none from before are left and
// every line gives what the file now says.
TEST(GedcomReaderChangedFile, LinesReadBeforeAChangeGiveTheNewBytesInTheEnd) {
    const std::string before = ManyLines(5000);
    std::string sameSize = before;
    for (char& c : sameSize)
        if (c >= 'a' && c < 'z') ++c;
    struct Row {
        const char* what;
        std::string after;
    } rows[] = {
        {"grown", before + "0 @N1@ NOTE appended\n0 TRLR\n"},
        {"shrunk", before.substr(0, before.size() / 3)},
        {"rewritten shorter", ManyLines(2000).substr(1)},
        {"rewritten longer", ManyLines(7000).substr(2)},
        {"rewritten with the same size", sameSize},
    };
    std::vector<size_t> positions;
    for (size_t at = 5; at < before.size() / 4; at += 4099) positions.push_back(at);
    positions.push_back(before.size() - 3);
    positions.push_back(before.size());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const TempFile file(before);
        GedcomReader reader;
        ASSERT_EQ(reader.Open(file.Path()), S_OK);
        for (const size_t position : positions)
            ASSERT_EQ(ReadLineAt(reader, position), LineAt(before, position));

        file.Rewrite(row.after);
        for (const size_t position : positions) {
            SCOPED_TRACE(position);
            const std::string read = ReadLineAt(reader, position);
            EXPECT_TRUE(read == LineAt(before, position) || read == LineAt(row.after, position))
                << read;
        }
        const size_t size = std::max(before.size(), row.after.size());
        for (int round = 0; round < 2; ++round)
            for (size_t at = 0; at < size; at += BlockCache::kBlockBytes) ReadLineAt(reader, at);
        for (const size_t position : positions) {
            SCOPED_TRACE(position);
            EXPECT_EQ(ReadLineAt(reader, position), LineAt(row.after, position));
        }
    }
}

// A size that changes is noticed without going over the whole file: by the
// next reads of the lines that were kept, once a few of them have been made.
TEST(GedcomReaderChangedFile, AShrinkIsNoticedByReadsOfKeptLinesAlone) {
    const std::string text = ManyLines(500);
    const TempFile file(text);
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    const size_t early = text.find("1 NAME", 100);
    const size_t late = text.find("1 NAME", text.size() / 2);
    ASSERT_EQ(ReadLineAt(reader, early), LineAt(text, early));
    ASSERT_EQ(ReadLineAt(reader, late), LineAt(text, late));
    std::filesystem::resize_file(file.Path(), early + 3);
    for (uint32_t i = 0; i < BlockCache::kRecheckInterval; ++i) {
        ReadLineAt(reader, early);
        ReadLineAt(reader, late);
    }
    EXPECT_EQ(ReadLineAt(reader, early), "1 N");
    EXPECT_EQ(ReadLineAt(reader, late), "(end)");
}

// Bytes appended to a file being read are read at once, also where the line
// read runs on from bytes read before they were appended into them.
TEST(GedcomReaderChangedFile, AppendedBytesAreReadAtOnce) {
    constexpr size_t kBlock = BlockCache::kBlockBytes;
    std::string before = "0 HEAD\n";
    while (before.size() < 2 * kBlock - 40) before += "1 NOTE padding\n";
    const size_t lastLine = before.size();
    before += "1 NOTE ";
    before += std::string(2 * kBlock - before.size(), 'x');  // no line feed
    const std::string after = before + "yyy\n0 TRLR\n";
    const TempFile file(before);
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    ASSERT_EQ(ReadLineAt(reader, kBlock), LineAt(before, kBlock));
    file.Rewrite(after);
    for (const size_t position : {lastLine, before.size(), before.size() + 4}) {
        SCOPED_TRACE(position);
        EXPECT_EQ(ReadLineAt(reader, position), LineAt(after, position));
    }
}

TEST(GedcomReaderChangedFile, RewrittenWhileReadingStillEnds) {
    const std::string text = ManyLines(2000);
    const TempFile file(text);
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    GedcomLine line;
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(reader.ReadLine(line));
    file.Rewrite("0 HEAD\n0 TRLR\n");
    // Reaching the bound would mean the reader stopped advancing.
    const std::vector<ReadResult> rest = ReadAll(reader, text.size());
    EXPECT_LT(rest.size(), text.size());
    EXPECT_LE(reader.Position(), text.size());
}

}  // namespace
}  // namespace kinfold
