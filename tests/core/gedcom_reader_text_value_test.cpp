#include <gtest/gtest.h>

#include "core/fixed_string.h"

#include <string>

#include "core/gedcom_reader.h"
#include "support/temp_file.h"

namespace kinfold {
namespace {

struct JoinRow {
    const char* what;
    const char* file;
    const char* startLine;  // the value is read from the line that starts so
    const char* withSpace;
    const char* withoutSpace;
};

TEST(ReadTextValue, JoinsContinuationLines) {
    const JoinRow rows[] = {
        {"note record", "0 @N1@ NOTE First\n1 CONC part\n1 CONT Second\n0 TRLR\n", "0 @N1@",
         " First part\nSecond", " Firstpart\nSecond"},
        {"no continuation", "0 HEAD\n1 NOTE alone\n1 SOUR x\n", "1 NOTE", "alone", "alone"},
        {"last line of the file", "0 HEAD\n1 NOTE alone", "1 NOTE", "alone", "alone"},
        {"empty value and empty CONT", "1 NOTE\n2 CONT\n2 CONT x\n2 CONC\n", "1 NOTE", "\n\nx ",
         "\n\nx"},
        {"stops at the base level", "1 NOTE A\n2 CONC B\n1 CONC C\n2 CONC D\n", "1 NOTE", "A B",
         "AB"},
        {"stops at a shallower level", "2 NOTE A\n3 CONT B\n1 CONT C\n", "2 NOTE", "A\nB", "A\nB"},
        // A CONT under another sub-tag belongs to that sub-tag.
        {"CONT under a sibling", "0 @N1@ NOTE Hello\n1 SOUR @S1@\n2 CONT not mine\n1 CONT world\n",
         "0 @N1@", " Hello\nworld", " Hello\nworld"},
        // Passed-over lines do not end the skipping of deeper lines; a
        // continuation at the skip level or above is joined again, and after it
        // continuations are taken at any depth.
        {"skip level", "1 NOTE A\n2 _X foo\n3 CONC no\n4 CONT no\n2 CONC B\n3 CONC C\n4 CONT D\n",
         "1 NOTE", "A B C\nD", "ABC\nD"},
        {"passing over keeps the skip level",
         "1 NOTE A\n2 SOUR @S1@\n3 PAGE 4\n4 CONC no\n3 CONC no\n2 CONC B\n", "1 NOTE", "A B",
         "AB"},
        // Lowercase continuation tags are other tags, whatever the case switch.
        {"tags are exact", "1 NOTE A\n2 conc no\n2 Cont no\n2 CONC B\n", "1 NOTE", "A B", "AB"},
        {"CRLF ends", "1 NOTE A\r\n2 CONC B\r\n2 CONT C\r\n", "1 NOTE", "A B\nC", "AB\nC"},
    };
    CompareCaseScope caseBlind(0);
    for (const JoinRow& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string text = row.file;
        const test::TempFile file(text);
        GedcomReader reader;
        ASSERT_EQ(reader.Open(file.Path()), S_OK);
        const int32_t position = static_cast<int32_t>(text.find(row.startLine));
        ASSERT_GE(position, 0);
        EXPECT_EQ(reader.ReadTextValue(position, true), row.withSpace);
        EXPECT_EQ(reader.ReadTextValue(position, false), row.withoutSpace);
    }
}

TEST(ReadTextValue, LongTextsAreNotCut) {
    std::string text = "0 @N1@ NOTE start\n";
    std::string expected = " start";
    for (int i = 0; i < 200; ++i) {
        const std::string piece = std::string(200, static_cast<char>('a' + i % 26));
        text += "1 CONC " + piece + "\n";
        expected += piece;
    }
    const test::TempFile file(text);
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    EXPECT_EQ(reader.ReadTextValue(0, false), expected);
}

TEST(ReadTextValue, NothingToReadGivesTheEndOfFileText) {
    const std::string text = "0 HEAD\n1 NOTE x\n";
    const test::TempFile file(text);
    GedcomReader reader;
    ASSERT_EQ(reader.Open(file.Path()), S_OK);
    for (const int32_t position : {static_cast<int32_t>(text.size()), 1000, -1}) {
        SCOPED_TRACE(position);
        EXPECT_EQ(reader.ReadTextValue(position, true), "Unexpected End Of File.");
    }
    EXPECT_EQ(reader.ReadTextValue(7, true), "x");

    GedcomReader closed;
    EXPECT_EQ(closed.ReadTextValue(0, true), "Unexpected End Of File.");
}

}  // namespace
}  // namespace kinfold
