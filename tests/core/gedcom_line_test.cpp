#include "core/gedcom_line.h"

#include <gtest/gtest.h>

#include <string>

namespace kinfold {
namespace {

struct SplitRow {
    const char* text;
    int16_t level;
    const char* id;
    const char* tag;
    const char* pointer;
    const char* value;
};

TEST(GedcomLine, SplitsTheFieldsOfALine) {
    const SplitRow rows[] = {
        {"0 HEAD", 0, "", "HEAD", "", ""},
        {"0 @I1@ INDI", 0, "@I1@", "INDI", "", ""},
        {"0 @NT1@ NOTE Some text", 0, "@NT1@", "NOTE", "", " Some text"},
        {"1 FAMC @F1@", 1, "", "FAMC", "@F1@", ""},
        {"1 NOTE @NT1@ see", 1, "", "NOTE", "@NT1@", " see"},
        {"2 DATE 1 JAN 1900", 2, "", "DATE", "", "1 JAN 1900"},
        {"1 NOTE a  b", 1, "", "NOTE", "", "a  b"},
        {"TRLR", 0, "", "TRLR", "", ""},
        {"  1 SEX M\r", 1, "", "SEX", "", "M"},
        // A second blank after the tag stays at the start of the value.
        {"1 NOTE  x", 1, "", "NOTE", "", " x"},
        {"1 NOTE @N1@  two", 1, "", "NOTE", "@N1@", "  two"},
        {"0 @S1@ SOUR  x", 0, "@S1@", "SOUR", "", "  x"},
        {"0 @I1@", 0, "@I1@", "", "", ""},
        {"1 @", 1, "@", "", "", ""},  // a lone '@' both begins and ends with one
        {"1 _UID @", 1, "", "_UID", "@", ""},
        {"1 EMAIL a@b", 1, "", "EMAIL", "", "a@b"},
        // Only the space separates; a tab is part of its field.
        {"1\tNAME x", 1, "", "x", "", ""},
        {"1 NAME\tJohn /Doe/", 1, "", "NAME\tJohn", "", "/Doe/"},
        // The level is read like atoi and cut to 16 bits.
        {"x1 TAG", 0, "", "TAG", "", ""},
        {"12abc TAG", 12, "", "TAG", "", ""},
        {"-3 TAG", -3, "", "TAG", "", ""},
        {"+4 TAG", 4, "", "TAG", "", ""},
        {"70000 TAG", 4464, "", "TAG", "", ""},
        {"32768 TAG", -32768, "", "TAG", "", ""},
        {"99999999999 TAG", -1, "", "TAG", "", ""},
        {"-99999999999 TAG", 0, "", "TAG", "", ""},
        {"5", 0, "", "5", "", ""},  // without a blank there is no level
    };
    for (const SplitRow& row : rows) {
        SCOPED_TRACE(row.text);
        GedcomLine line;
        line.Parse(row.text, 42);
        EXPECT_EQ(line.Level(), row.level);
        EXPECT_EQ(line.Id(), row.id);
        EXPECT_EQ(line.Tag(), row.tag);
        EXPECT_EQ(line.Pointer(), row.pointer);
        EXPECT_EQ(line.Value(), row.value);
        EXPECT_EQ(line.Position(), 42);
        EXPECT_EQ(line.Target(), nullptr);
    }
}

// Level, position, ID, tag, pointer and value of `line`, and its target.
std::string Fields(const GedcomLine& line) {
    std::string text = std::to_string(line.Level()) + "|" + std::to_string(line.Position());
    for (std::string_view field : {line.Id(), line.Tag(), line.Pointer(), line.Value()})
        text.append("|").append(field);
    return text + (line.Target() == nullptr ? "|no target" : "|target");
}

TEST(GedcomLine, StartsEmptyAndNotFromAFile) {
    EXPECT_EQ(Fields(GedcomLine()), "0|-1|||||no target");
}

TEST(GedcomLine, ABlankTextChangesNothing) {
    GedcomLine line;
    line.Parse("0 @I1@ NOTE @N1@ text", 10);
    for (const char* blank : {"", "   ", "\r", " \t\r\n"}) {
        line.Parse(blank, 99);
        EXPECT_EQ(Fields(line), "0|10|@I1@|NOTE|| @N1@ text|no target") << blank;
    }
}

TEST(GedcomLine, TwoBlanksAfterTheLevelChangeOnlyLevelAndPosition) {
    GedcomLine line;
    line.Parse("1 NOTE @N1@ see", 10);
    line.SetTarget(reinterpret_cast<RecordBase*>(0x1000));
    line.Parse("3  SEX M", 50);
    EXPECT_EQ(Fields(line), "3|50||NOTE|@N1@| see|target");
    // A full line replaces everything, the target included.
    line.Parse("0 @I2@ INDI", 60);
    EXPECT_EQ(Fields(line), "0|60|@I2@|INDI|||no target");
}

TEST(GedcomLine, KeepsAtMost280Bytes) {
    const std::string text = "1 NOTE " + std::string(300, 'v');
    GedcomLine line;
    line.Parse(text, 0);
    EXPECT_EQ(line.Value(), std::string(280 - 7, 'v'));
}

TEST(GedcomLine, ClearingFieldsLeavesTheOthers) {
    GedcomLine line;
    line.Parse("0 @N1@ NOTE @X1@ text", 5);
    line.SetTarget(reinterpret_cast<RecordBase*>(0x1000));
    line.ClearId();
    line.ClearValue();
    line.SetTarget(nullptr);
    EXPECT_EQ(Fields(line), "0|5||NOTE|||no target");
    line.ClearTag();
    line.SetLevel(7);
    line.SetPosition(-1);
    EXPECT_EQ(Fields(line), "7|-1|||||no target");

    const GedcomLine copy = line;
    line.Parse("1 SEX F", 9);
    EXPECT_EQ(Fields(copy), "7|-1|||||no target");
}

}  // namespace
}  // namespace kinfold
