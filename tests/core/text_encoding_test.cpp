#include "core/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "core/gedcom_reader.h"
#include "support/temp_file.h"

namespace kinfold {
namespace {

struct DecodeRow {
    TextEncoding encoding;
    const char* bytes;
    std::u16string expected;
};

TEST(DecodeText, EachEncodingFromBytesToUtf16) {
    const DecodeRow rows[] = {
        {TextEncoding::Utf8, "Jos\xC3\xA9 \xE2\x82\xAC", u"Jos\u00E9 \u20AC"},
        {TextEncoding::Utf8, "\xF0\x9F\x98\x80", u"\U0001F600"},
        // Overlong, a lone continuation byte and a cut sequence are malformed.
        {TextEncoding::Utf8, "\xC0\xAF|\x80|\xE2\x82", u"\uFFFD\uFFFD|\uFFFD|\uFFFD\uFFFD"},
        {TextEncoding::Utf8, "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // a surrogate
        {TextEncoding::Windows1252, "M\xFCller \x80\x9C\x81", u"M\u00FCller \u20AC\u0153\u0081"},
        {TextEncoding::Cp437, "M\x81ller \x82 \xE1", u"M\u00FCller \u00E9 \u00DF"},
        {TextEncoding::MacRoman, "M\x9Fller \x8E \xA7", u"M\u00FCller \u00E9 \u00DF"},
        {TextEncoding::Ascii, "Plain \xE9", u"Plain \uFFFD"},
        {TextEncoding::Ansel, "\xA5lfric \xB1\xF0", u"\u00C6lfric \u0142\u0327"},
        // Marks come before their letter in the file and after it here,
        // composed where Latin has the letter.
        {TextEncoding::Ansel, "Jos\xE2" "e", u"Jos\u00E9"},
        {TextEncoding::Ansel, "\xF0" "C\xE8u", u"\u00C7\u00FC"},
        {TextEncoding::Ansel, "\xE2" "q", u"q\u0301"},                // no precomposed q-acute
        {TextEncoding::Ansel, "\xE3\xE2" "a", u"\u00E2\u0301"},     // the first mark composes
        {TextEncoding::Ansel, "\xE2\xA2", u"\u00D8\u0301"},          // a spacing letter base
        {TextEncoding::Ansel, "\xAF\xFF", u"\uFFFD\uFFFD"},          // unassigned bytes
    };
    for (const DecodeRow& row : rows) {
        SCOPED_TRACE(row.bytes);
        EXPECT_EQ(DecodeText(row.encoding, row.bytes), row.expected);
    }
}

TEST(EndsInsideCharacter, OnlyCutSequencesAndWaitingMarks) {
    struct Row {
        TextEncoding encoding;
        const char* text;
        bool inside;
    } rows[] = {
        {TextEncoding::Utf8, "ab", false},         {TextEncoding::Utf8, "a\xC3", true},
        {TextEncoding::Utf8, "a\xC3\xA9", false},  {TextEncoding::Utf8, "\xF0\x9F\x98", true},
        {TextEncoding::Utf8, "\x80\x80\x80\x80", false},
        {TextEncoding::Ansel, "a\xE2", true},      {TextEncoding::Ansel, "a\xA5", false},
        {TextEncoding::Windows1252, "a\xC3", false}, {TextEncoding::Utf8, "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(EndsInsideCharacter(row.encoding, row.text), row.inside);
    }
}

std::u16string ReadNote(const std::string& file, TextEncoding encoding, bool withSpace) {
    const test::TempFile temp(file);
    GedcomReader reader;
    EXPECT_EQ(reader.Open(temp.Path()), S_OK);
    reader.SetEncoding(encoding);
    return DecodeText(encoding, reader.ReadTextValue(0, withSpace));
}

// A character cut by a CONC line break at any of its bytes reads whole,
// with or without the space between CONC parts; a cut elsewhere keeps it.
TEST(ReadTextValue, JoinsACharacterCutByConcAtEveryByte) {
    const std::string word = "a\xF0\x9F\x98\x80" "b";
    for (size_t cut = 1; cut < word.size(); ++cut) {
        SCOPED_TRACE(cut);
        const std::string file =
            "1 NOTE " + word.substr(0, cut) + "\n2 CONC " + word.substr(cut) + "\n";
        const bool inside = cut > 1 && cut < 5;
        EXPECT_EQ(ReadNote(file, TextEncoding::Utf8, false), u"a\U0001F600b");
        EXPECT_EQ(ReadNote(file, TextEncoding::Utf8, true),
                  inside ? u"a\U0001F600b" : cut == 1 ? u"a \U0001F600b" : u"a\U0001F600 b");
    }
    EXPECT_EQ(ReadNote("1 NOTE Jos\xE2\n2 CONC e\n", TextEncoding::Ansel, true), u"Jos\u00E9");
    // Today's reading is untouched: the space goes between the bytes.
    EXPECT_EQ(ReadNote("1 NOTE a\xC3\n2 CONC \xA9\n", TextEncoding::Bytes, true),
              u"a\u00C3 \u00A9");
}

}  // namespace
}  // namespace kinfold
