#include "core/fixed_string.h"

#include <gtest/gtest.h>

#include <string>

namespace kinfold {
namespace {

TEST(CompareCaseSwitch, StoresOnlyZeroOrOneAndReturnsPrevious) {
    CompareCaseScope guard(1);
    EXPECT_EQ(CompareCase(), 1);
    EXPECT_EQ(SetCompareCase(0), 1);
    EXPECT_EQ(CompareCase(), 0);
    EXPECT_EQ(SetCompareCase(2), 0);
    EXPECT_EQ(CompareCase(), 0);
    EXPECT_EQ(SetCompareCase(-1), 0);
    EXPECT_EQ(SetCompareCase(1), 0);
    EXPECT_EQ(SetCompareCase(7), 1);
    EXPECT_EQ(CompareCase(), 1);
}

struct CompareCaseRow {
    const char* a;
    const char* b;
    int sensitive;    // sign of the comparison with the switch at 1
    int insensitive;  // and at 0
};

TEST(CompareText, FollowsTheSwitch) {
    const CompareCaseRow rows[] = {
        {"@I1@", "@I1@", 0, 0},
        {"@i1@", "@I1@", 1, 0},
        {"INDI", "indi", -1, 0},
        {"abc", "abcd", -1, -1},
        {"abd", "ABC", 1, 1},
        // Folding goes to lower case: '_' (0x5F) lies between the upper and the
        // lower letters, so its order against a letter flips with the switch.
        {"_X", "A", 1, -1},
        // Bytes above 0x7F order as unsigned and are never folded.
        {"\xC9", "e", 1, 1},
        {"\xC9", "\xE9", -1, -1},
        {"", "", 0, 0},
        {"", "a", -1, -1},
    };
    for (const CompareCaseRow& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " vs " + row.b);
        const auto sign = [](int v) { return (v > 0) - (v < 0); };
        {
            CompareCaseScope guard(1);
            EXPECT_EQ(sign(CompareText(row.a, row.b)), row.sensitive);
            EXPECT_EQ(TextEquals(row.a, row.b), row.sensitive == 0);
            EXPECT_EQ(FixedString(row.a) == FixedString(row.b), row.sensitive == 0);
            EXPECT_EQ(FixedString(row.a) < FixedString(row.b), row.sensitive < 0);
            EXPECT_EQ(TextLess()(row.a, row.b), row.sensitive < 0);
        }
        {
            CompareCaseScope guard(0);
            EXPECT_EQ(sign(CompareText(row.a, row.b)), row.insensitive);
            EXPECT_EQ(TextEquals(row.a, row.b), row.insensitive == 0);
            EXPECT_EQ(FixedString(row.a) == FixedString(row.b), row.insensitive == 0);
            EXPECT_EQ(FixedString(row.a) != FixedString(row.b), row.insensitive != 0);
            EXPECT_EQ(FixedString(row.a) > FixedString(row.b), row.insensitive > 0);
            EXPECT_EQ(FixedString(row.a) <= FixedString(row.b), row.insensitive <= 0);
            EXPECT_EQ(FixedString(row.a) >= FixedString(row.b), row.insensitive >= 0);
            EXPECT_EQ(FixedString(row.a) == std::string_view(row.b), row.insensitive == 0);
            EXPECT_EQ(FixedString(row.a) != std::string_view(row.b), row.insensitive != 0);
        }
    }
}

struct PatternRow {
    const char* text;
    const char* pattern;
    bool sensitive;
    bool insensitive;
};

TEST(MatchPattern, PrefixSuffixAndWildcard) {
    const PatternRow rows[] = {
        {"Smith", "Sm*", true, true},
        {"Smith", "sm*", false, true},
        {"Smith", "Smith", true, true},
        {"Smith", "Smithson", false, false},  // text shorter than the pattern
        {"Smithson", "Smith", true, true},    // no '*': still a prefix test
        {"Smith", "S*x", true, true},         // only the part before the '*' counts
        {"Smith", "*ith", true, true},
        {"Smith", "*ITH", false, true},
        {"Smith", "*Smi", false, false},
        {"ith", "*Smith", false, false},  // text shorter than the required end
        {"Smith", "*", true, true},
        {"", "*", true, true},
        {"", "", true, true},
        {"", "a*", false, false},
        {"ab", "**b", false, false},  // after the leading '*' the rest is literal
        {"a*b", "**b", true, true},
    };
    for (const PatternRow& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " ~ " + row.pattern);
        {
            CompareCaseScope guard(1);
            EXPECT_EQ(MatchPattern(row.text, row.pattern), row.sensitive);
            EXPECT_EQ(FixedString(row.text).Match(row.pattern), row.sensitive);
        }
        {
            CompareCaseScope guard(0);
            EXPECT_EQ(MatchPattern(row.text, row.pattern), row.insensitive);
        }
    }
}

TEST(FixedString, KeepsAtMost280Characters) {
    const std::string long300(300, 'x');
    const FixedString built(long300);
    EXPECT_EQ(built.Length(), 280);
    EXPECT_EQ(built.View(), long300.substr(0, 280));
    EXPECT_EQ(built.CStr()[280], '\0');
    EXPECT_EQ(BoundText(long300).size(), 280u);
    EXPECT_EQ(BoundText("short"), "short");

    FixedString appended(std::string(270, 'a'));
    appended.Append(std::string(20, 'b'));
    EXPECT_EQ(appended.Length(), 280);
    EXPECT_EQ(appended.View().substr(268), "aabbbbbbbbbb");
    appended.Append("more");
    EXPECT_EQ(appended.Length(), 280);
}

TEST(FixedString, AppendingOneCharacterNeverFillsTheLastPlace) {
    FixedString text(std::string(278, 'a'));
    text.Append('b');
    EXPECT_EQ(text.Length(), 279);
    text.Append('c');
    EXPECT_EQ(text.Length(), 279);
    EXPECT_EQ(text.View().back(), 'b');
    text.Append("d");  // a string still takes the last place
    EXPECT_EQ(text.Length(), 280);
    EXPECT_EQ(text.View().back(), 'd');
}

TEST(FixedString, CopiesAreIndependent) {
    FixedString original("@I1@");
    FixedString copy(original);
    copy.Append("x");
    FixedString assigned;
    assigned = original;
    original.Clear();
    EXPECT_EQ(copy.View(), "@I1@x");
    EXPECT_EQ(assigned.View(), "@I1@");
    EXPECT_TRUE(original.Empty());
    EXPECT_EQ(original.CStr()[0], '\0');
}

TEST(FixedString, FindAndFindLast) {
    const FixedString date("1 JAN 1900 AND 1901");
    struct Row {
        const char* sub;
        int32_t start;  // -2: FindLast
        int32_t found;
    } rows[] = {
        {"19", 0, 6},   {"19", 6, 6},  {"19", 7, 15},  {"19", 16, -1},   {"JAN", 0, 2},
        {"19", -1, -1}, {"1", 19, -1}, {"x", 0, -1},   {"", 0, -1},      {"1901", 15, 15},
        {"19", -2, 15}, {" ", -2, 14}, {"1 J", -2, 0}, {"1800", -2, -1}, {"", -2, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.sub) + " from " + std::to_string(row.start));
        EXPECT_EQ(row.start == -2 ? date.FindLast(row.sub) : date.Find(row.sub, row.start),
                  row.found);
    }
    EXPECT_EQ(date.Find("JAN"), 2);
    EXPECT_EQ(FixedString().Find("a"), -1);
}

TEST(FixedString, Parts) {
    const FixedString text("abcdef");
    struct Row {
        const char* what;
        FixedString got;
        const char* expected;
    } rows[] = {
        {"Left 2", text.Left(2), "ab"},
        {"Left 0", text.Left(0), ""},
        {"Left -1", text.Left(-1), ""},
        {"Left 99", text.Left(99), "abcdef"},
        {"Mid 2,3", text.Mid(2, 3), "cde"},
        {"Mid 2,99", text.Mid(2, 99), "cdef"},
        {"Mid 4", text.Mid(4), "ef"},
        {"Mid 0", text.Mid(0), "abcdef"},
        {"Mid 6", text.Mid(6), ""},
        {"Mid -1,3", text.Mid(-1, 3), ""},
        {"Mid 2,0", text.Mid(2, 0), ""},
        {"Right 2", text.Right(2), "ef"},
        {"Right 99", text.Right(99), "abcdef"},
        {"Right 0", text.Right(0), ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.got.View(), row.expected);
    }
}

TEST(FixedString, CaseCopiesTouchOnlyAsciiLetters) {
    const FixedString text("Mary-Ann \xE9t\xC9 _z@1");
    EXPECT_EQ(text.Upper().View(), "MARY-ANN \xE9T\xC9 _Z@1");
    EXPECT_EQ(text.Lower().View(), "mary-ann \xE9t\xC9 _z@1");
    EXPECT_EQ(text.View(), "Mary-Ann \xE9t\xC9 _z@1");
}

TEST(FixedString, ReplaceCharacterAndSubstring) {
    FixedString name("/Smith/ John /Jr/");
    name.ReplaceChar('/', ' ');
    EXPECT_EQ(name.View(), " Smith  John  Jr ");

    struct Row {
        const char* text;
        const char* from;
        const char* to;
        const char* expected;
    } rows[] = {
        {"a--b--c", "--", "-", "a-b-c"}, {"aaaa", "aa", "b", "bb"}, {"abc", "x", "y", "abc"},
        {"abc", "", "y", "abc"},         {"abc", "abc", "", ""},    {"xax", "x", "yy", "yyayy"},
    };
    for (const auto& row : rows) {
        FixedString text(row.text);
        text.Replace(row.from, row.to);
        EXPECT_EQ(text.View(), row.expected) << row.text << " " << row.from << "->" << row.to;
    }

    FixedString growing(std::string(200, 'a'));
    growing.Replace("a", "bb");
    EXPECT_EQ(growing.View(), std::string(280, 'b'));
}

TEST(FixedString, TrimRemovesTheSixBlanks) {
    FixedString text(" \t\n\v\f\r a b \r\n\t ");
    text.Trim();
    EXPECT_EQ(text.View(), "a b");
    EXPECT_EQ(text.CStr()[3], '\0');

    FixedString blank(" \r\n");
    blank.Trim();
    EXPECT_TRUE(blank.Empty());
    EXPECT_EQ(TrimText("\x01 x \xA0"), "\x01 x \xA0");  // only the six are blanks
}

}  // namespace
}  // namespace kinfold
